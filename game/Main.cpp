// The program's entry point: the framework runs the game scene.
#include "ovcore/launch/EntryPoint.h"
#include "game/GameScene.h"

#include <string>

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    return OvCore::OvMain(commandLine.c_str(), OvCore::GameScene) == 1 ? 0 : 1;
}

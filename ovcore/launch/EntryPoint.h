// The framework's entry point: the program's start-up, scene run and shut-down.
#pragma once

#include "ovcore/app/SceneManager.h"
#include "ovcore/foundation/String.h"

namespace OvCore {

// The program's command line, kept as given.
extern OV_STRING CommandLine;

// Runs the program: starts the engine, creates window "main", runs the scenes
// "intro" and then "game" (gameScene, the application's own), and shuts down.
// Returns 1 after a normal run, 0 when the main window cannot be created.
int OvMain(const char* commandLine, OV_SCENE_FUNC gameScene);

}  // namespace OvCore

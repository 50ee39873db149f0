// Level editor shell: the operating-system services of OV_SYSTEM around an
// editor that has no editing yet.
//
//   example_system            registers the ".lvl" type with this program as
//                             its open command and level.png (beside this
//                             file) as its icon, asks for a level with the
//                             open dialog (starting in the folder remembered
//                             from the last run), shows the chosen path in a
//                             message box and remembers its folder
//   example_system FILE.lvl   what the desktop runs for a level: shows its
//                             path in a message box
//
// Controls: the dialogs' own (type a path, Enter to choose, Escape to
// cancel). Each step also prints one line: "registered ...", "chosen PATH" or
// "cancelled", "remembered FOLDER". The registry and the desktop files are
// the user's (a scratch home under XDG_CONFIG_HOME / XDG_DATA_HOME for tests).
#include "ovcore/system/System.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include <unistd.h>

using namespace OvCore;

namespace {

constexpr const char* kSettingsKey = "Software\\Orvo Core\\Level Editor";
constexpr const char* kLastFolder = "LastFolder";

std::string ProgramPath() {
    char path[PATH_MAX] = "";
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    return length > 0 ? std::string(path, static_cast<size_t>(length)) : "example_system";
}

std::string IconPath() {
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(folder), folder);
    return std::string(folder) + "/level.png";
}

bool RegisterLevelType(OV_SYSTEM& system) {
    std::string command = "\"" + ProgramPath() + "\" \"%1\"";
    bool registered = system.AssociateFileType("OrvoCore.Level", ".lvl", command.c_str(), IconPath().c_str());
    std::printf(registered ? "registered .lvl\n" : "could not register .lvl\n");
    return registered;
}

std::string LastFolder(OV_SYSTEM& system) {
    HKEY key = system.OpenKey(HKEY_CURRENT_USER, kSettingsKey, OV_SYSTEM::OPEN_EXISTING);
    if (!key) return "";
    char folder[MAX_PATH] = "";
    DWORD type = 0, size = sizeof(folder) - 1;
    bool found = system.QueryValue(key, kLastFolder, &type, folder, &size) && type == REG_SZ;
    system.CloseKey(key);
    return found ? std::string(folder, strnlen(folder, size)) : "";
}

void RememberFolder(OV_SYSTEM& system, const std::string& path) {
    std::string folder = path.substr(0, path.rfind('/'));
    HKEY key = system.OpenKey(HKEY_CURRENT_USER, kSettingsKey, OV_SYSTEM::OPEN_OR_CREATE);
    if (!key) return;
    if (system.SetValue(key, kLastFolder, REG_SZ, folder.c_str(), static_cast<DWORD>(folder.size() + 1)))
        std::printf("remembered %s\n", folder.c_str());
    system.CloseKey(key);
}

void ShowLevel(OV_SYSTEM& system, const std::string& path) {
    std::string text = "Level: " + path;
    system.ShowMessage(text.c_str(), "Level Editor", MB_OK | MB_ICONINFORMATION, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    OV_SYSTEM system;
    if (argc > 1) {
        std::printf("opened %s\n", argv[1]);
        ShowLevel(system, argv[1]);
        return 0;
    }
    if (!RegisterLevelType(system)) return 1;
    std::string start = LastFolder(system);
    std::printf("starting in %s\n", start.empty() ? "the current folder" : start.c_str());

    char path[MAX_PATH] = "";
    system.FileDialog(path, OV_SYSTEM::OPEN_DIALOG, "Levels|*.lvl|All files|*.*", "Open Level",
                      start.empty() ? nullptr : start.c_str(), 0, nullptr, 0, sizeof(path));
    if (!path[0]) {
        std::printf("cancelled\n");
        return 0;
    }
    std::printf("chosen %s\n", path);
    ShowLevel(system, path);
    RememberFolder(system, path);
    return 0;
}

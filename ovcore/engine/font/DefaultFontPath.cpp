// Where the engine finds the framework's own font: in the share/OvCore/fonts/
// folder beside the engine library or the program (the build folder holds
// both), or in the one beside their parent (an installed tree: lib/ or bin/
// next to share/).
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Diagnostics.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <string>

namespace {

constexpr const char* kFontInShare = "share/OvCore/fonts/DejaVuSans.ttf";

std::string Folder(const std::string& file) {
    const size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string(".") : file.substr(0, slash);
}

std::string LibraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&OvFontDefaultPath), &info) == 0 || !info.dli_fname) return "";
    char resolved[PATH_MAX];
    return realpath(info.dli_fname, resolved) ? Folder(resolved) : "";
}

std::string ProgramFolder() {
    char program[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", program, sizeof(program) - 1);
    if (length <= 0) return "";
    program[length] = '\0';
    return Folder(program);
}

std::string Find() {
    for (const std::string& folder : {LibraryFolder(), ProgramFolder()}) {
        if (folder.empty()) continue;
        for (const std::string& candidate : {folder + "/" + kFontInShare, folder + "/../" + kFontInShare}) {
            if (access(candidate.c_str(), R_OK) == 0) return candidate;
        }
    }
    return "";
}

}  // namespace

extern "C" OV_API const char* OvFontDefaultPath(void) {
    static const std::string path = Find();
    if (path.empty()) {
        PlatformReportFailure("engine: default font not found: %s: beside the engine library or the program",
                              kFontInShare);
        return nullptr;
    }
    return path.c_str();
}

// Shell execution: an executable file is started as a program with the
// parameters as its arguments; any other document, folder or address is
// handed to the desktop's handler through xdg-open. The current directory.
#include "ovcore/platform/ChildProcess.h"
#include "ovcore/platform/CommandLine.h"
#include "ovcore/platform/Windows.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr intptr_t kStarted = 42;

HINSTANCE Result(intptr_t code) { return reinterpret_cast<HINSTANCE>(code); }

intptr_t CodeForErrno(int error) {
    switch (error) {
    case 0: return kStarted;
    case ENOENT: return SE_ERR_FNF;
    case ENOTDIR: return SE_ERR_PNF;
    case EACCES:
    case EPERM: return SE_ERR_ACCESSDENIED;
    case ENOMEM: return SE_ERR_OOM;
    default: return SE_ERR_NOASSOC;
    }
}

// An address starts with a scheme: a letter, then letters, digits, '+',
// '-' or '.'. Nothing else is handed on as one, so no argument the opener
// gets can start with '-' and be read as its option (it takes no "--").
bool IsAddress(const std::string& file) {
    if (file.rfind("mailto:", 0) == 0) return true;
    const size_t end = file.find("://");
    if (end == std::string::npos || end == 0 || !std::isalpha(static_cast<unsigned char>(file[0]))) return false;
    for (size_t i = 1; i < end; ++i) {
        const unsigned char c = static_cast<unsigned char>(file[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

bool IsProgram(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

intptr_t OpenWithDesktop(const std::string& target, const std::string& directory) {
    if (target.empty() || target[0] == '-') return SE_ERR_FNF;
    std::string opener = FindProgram("xdg-open");
    if (opener.empty()) return SE_ERR_NOASSOC;
    return CodeForErrno(StartDetached({opener, target}, directory));
}

}  // namespace

HINSTANCE ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, int) {
    if (!file || !*file) return Result(SE_ERR_FNF);
    bool open = !operation || !*operation || strcasecmp(operation, "open") == 0;
    bool explore = operation && strcasecmp(operation, "explore") == 0;
    if (!open && !explore) return Result(SE_ERR_NOASSOC);
    std::string folder = directory ? directory : "";
    std::string target = file;
    if (IsAddress(target)) return Result(open ? OpenWithDesktop(target, folder) : SE_ERR_NOASSOC);
    if (target[0] != '/' && !folder.empty()) target = folder + "/" + target;
    if (open && target.find('/') == std::string::npos && !Exists(target)) target = FindProgram(target);
    if (target.empty() || !Exists(target)) return Result(SE_ERR_FNF);
    // The program starts in `folder`, so a relative path must not depend on
    // where it is looked up from.
    if (target[0] != '/') {
        char current[MAX_PATH * 4];
        if (GetCurrentDirectoryA(sizeof(current), current) < sizeof(current))
            target = std::string(current) + "/" + target;
    }
    if (open && IsProgram(target)) {
        std::vector<std::string> arguments = SplitCommandLine(parameters);
        arguments.insert(arguments.begin(), target);
        return Result(CodeForErrno(StartDetached(arguments, folder)));
    }
    return Result(OpenWithDesktop(target, folder));
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
    char* current = getcwd(nullptr, 0);
    if (!current) return 0;
    DWORD length = static_cast<DWORD>(std::strlen(current));
    DWORD result = length + 1;
    if (buffer && size > length) {
        std::memcpy(buffer, current, length + 1);
        result = length;
    }
    std::free(current);
    return result;
}

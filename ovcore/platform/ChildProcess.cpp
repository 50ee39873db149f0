#include "ovcore/platform/ChildProcess.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<char*> ArgumentPointers(const std::vector<std::string>& arguments) {
    std::vector<char*> pointers;
    pointers.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

void RedirectToNull(int fd) {
    int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        dup2(null, fd);
        close(null);
    }
}

// In a forked child: becomes the program or reports errno down `report`.
[[noreturn]] void Become(const std::vector<char*>& pointers, int report) {
    signal(SIGPIPE, SIG_DFL);
    execvp(pointers[0], pointers.data());
    int error = errno;
    if (write(report, &error, sizeof(error)) < 0) _exit(127);
    _exit(127);
}

// The errno a child wrote before exec failed; 0 when exec succeeded (the
// close-on-exec pipe closed without a word).
int ReadStartError(int fd) {
    int error = 0;
    ssize_t got;
    do {
        got = read(fd, &error, sizeof(error));
    } while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(sizeof(error)) ? error : 0;
}

pid_t WaitFor(pid_t child, int* status) {
    pid_t result;
    do {
        result = waitpid(child, status, 0);
    } while (result < 0 && errno == EINTR);
    return result;
}

}  // namespace

std::string FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string folders = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        std::string candidate = folders.substr(start, end - start) + "/" + name;
        struct stat info;
        if (end > start && stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return "";
}

bool RunAndCapture(const std::vector<std::string>& arguments, std::string* output, int* exitStatus) {
    if (arguments.empty()) return false;
    std::vector<char*> pointers = ArgumentPointers(arguments);
    int out[2], report[2];
    if (pipe2(out, O_CLOEXEC) != 0) return false;
    if (pipe2(report, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return false;
    }
    pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        RedirectToNull(STDIN_FILENO);
        RedirectToNull(STDERR_FILENO);
        Become(pointers, report[1]);
    }
    close(out[1]);
    close(report[1]);
    if (child < 0) {
        close(out[0]);
        close(report[0]);
        return false;
    }
    int startError = ReadStartError(report[0]);
    close(report[0]);
    output->clear();
    char buffer[4096];
    for (;;) {
        ssize_t got = read(out[0], buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        output->append(buffer, static_cast<size_t>(got));
    }
    close(out[0]);
    int status = 0;
    WaitFor(child, &status);
    *exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return startError == 0;
}

int StartDetached(const std::vector<std::string>& arguments, const std::string& directory) {
    if (arguments.empty()) return EINVAL;
    std::vector<char*> pointers = ArgumentPointers(arguments);
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return errno;
    // The middle child starts the program and leaves at once, so the
    // program is adopted by init and never becomes our zombie.
    pid_t middle = fork();
    if (middle == 0) {
        setsid();
        pid_t program = fork();
        if (program == 0) {
            RedirectToNull(STDIN_FILENO);
            if (!directory.empty() && chdir(directory.c_str()) != 0) {
                int error = errno;
                if (write(report[1], &error, sizeof(error)) < 0) _exit(127);
                _exit(127);
            }
            Become(pointers, report[1]);
        } else if (program < 0) {
            int error = errno;
            if (write(report[1], &error, sizeof(error)) < 0) _exit(127);
        }
        _exit(0);
    }
    close(report[1]);
    if (middle < 0) {
        int error = errno;
        close(report[0]);
        return error;
    }
    int status = 0;
    WaitFor(middle, &status);
    int error = ReadStartError(report[0]);
    close(report[0]);
    return error;
}

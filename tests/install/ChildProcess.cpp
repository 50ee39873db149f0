#include "tests/install/ChildProcess.h"

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

ChildResult RunChild(const std::string& program, const std::string& folder,
                     const std::vector<std::pair<std::string, std::string>>& environment) {
    ChildResult result;
    int errors[2];
    if (pipe(errors) != 0) return result;
    const pid_t child = fork();
    if (child == 0) {
        dup2(errors[1], STDERR_FILENO);
        close(errors[0]);
        close(errors[1]);
        for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
        if (chdir(folder.c_str()) == 0) execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(errors[1]);
    char buffer[4096];
    for (ssize_t got; (got = read(errors[0], buffer, sizeof buffer)) > 0;) result.errors.append(buffer, got);
    close(errors[0]);
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) result.status = WEXITSTATUS(status);
    return result;
}

#include "tests/support/ChildProcess.h"

#include "tests/e2e/WaitUntil.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace OvTest {

namespace {

// Everything the child needs is prepared before fork: after it only
// async-signal-safe calls are made.
struct ExecPlan {
    std::vector<char*> argv;
    std::vector<std::string> environmentText;
    std::vector<char*> envp;
    int output = -1;
    int error = -1;
};

bool KeepsName(const std::vector<std::string>& overrides, const char* entry) {
    const char* equals = std::strchr(entry, '=');
    size_t length = equals ? static_cast<size_t>(equals - entry) : std::strlen(entry);
    return std::none_of(overrides.begin(), overrides.end(), [&](const std::string& added) {
        return added.compare(0, length, entry, length) == 0 && added.size() > length && added[length] == '=';
    });
}

void BuildEnvironment(const std::vector<std::string>& overrides, ExecPlan* plan) {
    for (char** entry = environ; *entry; ++entry)
        if (KeepsName(overrides, *entry)) plan->environmentText.emplace_back(*entry);
    plan->environmentText.insert(plan->environmentText.end(), overrides.begin(), overrides.end());
    for (std::string& text : plan->environmentText) plan->envp.push_back(text.data());
    plan->envp.push_back(nullptr);
}

// A file opened for a child's output, emptied first; -1 for no path or when
// it cannot be opened.
int OpenOutput(const std::string& path) {
    return path.empty() ? -1 : open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

[[noreturn]] void RunChild(const LaunchOptions& options, ExecPlan& plan) {
    if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0) _exit(126);
    if (plan.output >= 0) dup2(plan.output, STDOUT_FILENO);
    if (plan.error >= 0 || plan.output >= 0) dup2(plan.error >= 0 ? plan.error : plan.output, STDERR_FILENO);
    for (int kept : options.keptDescriptors) fcntl(kept, F_SETFD, 0);
    execvpe(plan.argv[0], plan.argv.data(), plan.envp.data());
    _exit(127);
}

}  // namespace

ChildProcess::~ChildProcess() { Stop(); }

bool ChildProcess::Launch(const LaunchOptions& options) {
    Stop();
    pid_ = -1;
    if (options.arguments.empty()) return false;
    ExecPlan plan;
    std::vector<std::string> arguments = options.arguments;
    for (std::string& argument : arguments) plan.argv.push_back(argument.data());
    plan.argv.push_back(nullptr);
    BuildEnvironment(options.environment, &plan);
    plan.output = OpenOutput(options.outputPath);
    plan.error = OpenOutput(options.errorPath);
    const bool opened =
        (plan.output >= 0 || options.outputPath.empty()) && (plan.error >= 0 || options.errorPath.empty());
    pid_ = opened ? fork() : -1;
    if (pid_ == 0) RunChild(options, plan);
    for (int descriptor : {plan.output, plan.error})
        if (descriptor >= 0) close(descriptor);
    if (pid_ < 0) return false;
    reaped_ = false;
    return true;
}

bool ChildProcess::Running() {
    if (reaped_) return false;
    if (waitpid(pid_, &status_, WNOHANG) == pid_) reaped_ = true;
    return !reaped_;
}

bool ChildProcess::Signal(int signalNumber) { return Running() && kill(pid_, signalNumber) == 0; }

bool ChildProcess::WaitForExit(double seconds, int* status) {
    if (!WaitUntil([&] { return !Running(); }, seconds)) return false;
    if (status) *status = status_;
    return true;
}

int ChildProcess::ExitCode(double seconds) {
    int status = 0;
    if (pid_ < 0) return -1;
    if (WaitForExit(seconds, &status)) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    Stop();
    return -1;
}

void ChildProcess::Stop() {
    if (!Running()) return;
    kill(pid_, SIGTERM);
    if (WaitForExit(2.0, nullptr)) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, &status_, 0);
    reaped_ = true;
}

std::string DescribeStatus(int status) {
    if (WIFEXITED(status)) return "exited " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
    return "status " + std::to_string(status);
}

}  // namespace OvTest

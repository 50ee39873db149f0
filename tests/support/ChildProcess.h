// A program started by a test: fork and exec with extra environment, a
// working folder and its output sent to files; waits are bounded so that a
// program that does not end fails the test instead of hanging it.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace OvTest {

struct LaunchOptions {
    std::vector<std::string> arguments;  // arguments[0] is the program (found on PATH)
    std::vector<std::string> environment;  // "NAME=value", added to the test's own
    std::string workingDirectory;  // empty: the test's
    std::string outputPath;  // stdout, and stderr unless errorPath is set; empty: the test's
    std::string errorPath;  // stderr on its own (stdout stays as outputPath says); empty: with stdout
    std::vector<int> keptDescriptors;  // stay open in the child (all others close on exec)
};

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();  // a child still running is killed and reaped
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the program; false when it could not be started (no process is
    // left behind then).
    bool Launch(const LaunchOptions& options);
    pid_t Pid() const { return pid_; }
    bool Running();
    bool Signal(int signalNumber);
    // Waits at most `seconds` for the child to end. True when it ended; its
    // wait status is then in `status` (see WIFEXITED and friends).
    bool WaitForExit(double seconds, int* status);
    // Waits at most `seconds` for the child to end and gives its exit code;
    // -1 when it was never started, ended by a signal or is still running
    // (it is stopped then).
    int ExitCode(double seconds);
    // SIGTERM, a short grace, then SIGKILL; reaps the child.
    void Stop();

private:
    pid_t pid_ = -1;
    int status_ = 0;
    bool reaped_ = true;
};

// "exited 0", "exited 3", "killed by signal 9": for failure messages.
std::string DescribeStatus(int status);

}  // namespace OvTest

#include "tests/support/XServer.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>

namespace OvTest {

namespace {

// The server writes its display number and a newline once it is ready.
std::string ReadDisplayNumber(int descriptor, double seconds) {
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd ready{descriptor, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0) continue;
        char c = 0;
        if (read(descriptor, &c, 1) != 1) break;
        if (c == '\n') return number;
        number += c;
    }
    return {};
}

}  // namespace

bool XServer::Start(int width, int height, double seconds) {
    Stop();
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return false;
    LaunchOptions options;
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    options.arguments = {"Xvfb", "-displayfd", std::to_string(pipeEnds[1]), "-screen", "0", screen, "-nolisten",
                         "tcp",  "-noreset"};
    options.keptDescriptors = {pipeEnds[1]};
    options.outputPath = "/dev/null";
    const bool launched = server_.Launch(options);
    close(pipeEnds[1]);
    const std::string number = launched ? ReadDisplayNumber(pipeEnds[0], seconds) : std::string();
    close(pipeEnds[0]);
    if (number.empty()) {
        server_.Stop();
        return false;
    }
    displayName_ = ":" + number;
    return true;
}

void XServer::Stop() {
    server_.Stop();
    displayName_.clear();
}

}  // namespace OvTest

// A private X server for a test: Xvfb on a free display number (the server
// picks it and reports it, so parallel tests never collide), with its own
// screen size. What the test does there (pointer, focus, a window manager)
// cannot disturb anything else on the machine.
#pragma once

#include "tests/support/ChildProcess.h"

#include <string>

namespace OvTest {

class XServer {
public:
    XServer() = default;
    ~XServer() { Stop(); }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // Starts the server and waits (bounded) until it accepts connections.
    bool Start(int width, int height, double seconds = 20.0);
    void Stop();
    // ":N"; empty before Start.
    const std::string& DisplayName() const { return displayName_; }

private:
    ChildProcess server_;
    std::string displayName_;
};

}  // namespace OvTest

// Drives a real window through the X server as a user would: waits for a
// shown window with an exact title, gives it the keyboard focus, then types
// text, presses keys and clicks through the XTEST extension. The steps run in
// a child process while the caller sits in the dialog: a process of its own,
// because the dialog code may fork (SDL's message box does), and a fork taken
// while another thread holds Xlib's locks would hang the forked child.
#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

struct XStep {
    enum Kind { kType, kKey, kClick } kind;
    std::string text;  // text to type, keysym name ("Return"), or "x y" inside the window
};

class XDriverRun {
public:
    explicit XDriverRun(pid_t child = -1) : child_(child) {}
    XDriverRun(XDriverRun&& other) noexcept : child_(other.child_) { other.child_ = -1; }
    XDriverRun& operator=(XDriverRun&& other) noexcept;
    ~XDriverRun() { get(); }
    // Waits for the driver: whether the window was found and every step
    // went through. False a second time.
    bool get();

private:
    pid_t child_;
};

XDriverRun DriveWindow(const std::string& title, std::vector<XStep> steps);

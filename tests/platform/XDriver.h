// Drives a real window through the X server (XTEST input via xdotool): waits
// for a window with an exact title, gives it the keyboard focus, then types
// text and presses keys, as a user would.
#pragma once

#include "platform/ChildProcess.h"

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

struct XStep {
    enum Kind { kType, kKey, kClick } kind;
    std::string text;  // text to type, key name, or "x y" inside the window
};

inline std::string XWindowWithTitle(const std::string& title) {
    std::string output;
    int status = 0;
    RunAndCapture({"timeout", "30", "xdotool", "search", "--sync", "--name", "^" + title + "$"}, &output, &status);
    return output.substr(0, output.find('\n'));
}

inline bool XRun(const std::vector<std::string>& arguments) {
    std::string output;
    int status = 0;
    return RunAndCapture(arguments, &output, &status) && status == 0;
}

// Runs the steps on another thread while the caller sits in the dialog; the
// future says whether the window was found and every step went through.
inline std::future<bool> DriveWindow(const std::string& title, std::vector<XStep> steps) {
    return std::async(std::launch::async, [title, steps] {
        std::string window = XWindowWithTitle(title);
        if (window.empty()) return false;
        XRun({"xdotool", "windowfocus", "--sync", window});
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        for (const XStep& step : steps) {
            bool ok = true;
            if (step.kind == XStep::kType) {
                ok = XRun({"xdotool", "type", "--delay", "15", step.text});
            } else if (step.kind == XStep::kKey) {
                ok = XRun({"xdotool", "key", step.text});
            } else {
                size_t blank = step.text.find(' ');
                ok = XRun({"xdotool", "mousemove", "--window", window, step.text.substr(0, blank),
                           step.text.substr(blank + 1), "click", "1"});
            }
            if (!ok) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
        return true;
    });
}

#include "tests/support/XDriver.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include <cerrno>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// The window's title: _NET_WM_NAME, else WM_NAME, whatever their encoding.
std::string TitleOf(Display* display, Window window) {
    for (const char* property : {"_NET_WM_NAME", "WM_NAME"}) {
        Atom atom = XInternAtom(display, property, False);
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, atom, 0, 1024, False, AnyPropertyType, &type, &format, &count, &after,
                               &data) == Success &&
            data) {
            std::string title(reinterpret_cast<char*>(data), count);
            XFree(data);
            if (format == 8) return title;
        }
    }
    return "";
}

bool IsShown(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

Window FindShown(Display* display, Window parent, const std::string& title) {
    Window root, up, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        if (TitleOf(display, children[i]) == title && IsShown(display, children[i])) found = children[i];
        if (!found) found = FindShown(display, children[i], title);
    }
    if (children) XFree(children);
    return found;
}

Window WaitForWindow(Display* display, const std::string& title) {
    for (int attempt = 0; attempt < 600; ++attempt) {
        if (Window window = FindShown(display, DefaultRootWindow(display), title)) return window;
        Pause(50);
    }
    return 0;
}

void Tap(Display* display, KeySym symbol) {
    KeyCode code = XKeysymToKeycode(display, symbol);
    bool shifted = code && XkbKeycodeToKeysym(display, code, 0, 0) != symbol;
    KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    if (shifted) XTestFakeKeyEvent(display, shift, True, CurrentTime);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    if (shifted) XTestFakeKeyEvent(display, shift, False, CurrentTime);
    XSync(display, False);
    Pause(15);
}

// Selects all of the focused entry's text and deletes it.
void ClearEntry(Display* display) {
    const KeyCode control = XKeysymToKeycode(display, XK_Control_L);
    XTestFakeKeyEvent(display, control, True, CurrentTime);
    Tap(display, XK_a);
    XTestFakeKeyEvent(display, control, False, CurrentTime);
    Tap(display, XK_BackSpace);
}

// Printable ASCII has keysyms equal to its codes.
bool Type(Display* display, const std::string& text) {
    for (char c : text) {
        if (c < 0x20 || c > 0x7e || !XKeysymToKeycode(display, static_cast<KeySym>(c))) return false;
        Tap(display, static_cast<KeySym>(c));
    }
    return true;
}

bool Click(Display* display, Window window, const std::string& place) {
    int x = 0, y = 0, rootX = 0, rootY = 0;
    Window child;
    if (std::sscanf(place.c_str(), "%d %d", &x, &y) != 2) return false;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XSync(display, False);
    return true;
}

bool RunSteps(Display* display, Window window, const std::vector<XStep>& steps) {
    bool ok = true;
    for (size_t i = 0; ok && i < steps.size(); ++i) {
        if (i > 0) Pause(250);
        const XStep& step = steps[i];
        if (step.kind == XStep::kType) {
            ok = Type(display, step.text);
        } else if (step.kind == XStep::kKey) {
            KeySym symbol = XStringToKeysym(step.text.c_str());
            ok = symbol != NoSymbol;
            if (ok) Tap(display, symbol);
        } else {
            ok = Click(display, window, step.text);
        }
    }
    return ok;
}

// Whether the window titled so is gone within the given time.
bool Closes(Display* display, const std::string& title, int milliseconds) {
    for (int waited = 0;; waited += 50) {
        if (!FindShown(display, DefaultRootWindow(display), title)) return true;
        if (waited >= milliseconds) return false;
        Pause(50);
    }
}

void Focus(Display* display, Window window) {
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
}

// The window may close between a look and a call that names it.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

bool Run(const std::string& title, const std::vector<XStep>& steps) {
    XSetErrorHandler(IgnoreErrors);
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    int event, error, major, minor;
    bool ok = XTestQueryExtension(display, &event, &error, &major, &minor);
    Window window = ok ? WaitForWindow(display, title) : 0;
    ok = window != 0;
    if (ok) {
        // A bare display has no window manager to hand out the focus.
        Focus(display, window);
        Pause(600);
    }
    // Keys pressed before the window listens are lost: while the window
    // stays shown the steps are given again, typed text first cleared.
    bool typing = false;
    for (const XStep& step : steps) typing = typing || step.kind == XStep::kType;
    bool closed = false;
    for (int round = 0; ok && !closed && round < 4; ++round) {
        if (round > 0) {
            Focus(display, window);
            if (typing) ClearEntry(display);
        }
        ok = RunSteps(display, window, steps);
        closed = Closes(display, title, 1500);
    }
    // A window the steps could not close is escaped, or, when its program
    // no longer answers, cut from the display, so that its caller fails
    // instead of waiting for ever.
    bool escaped = false;
    if (window && !closed && !Closes(display, title, 2000)) {
        escaped = true;
        for (int attempt = 0; attempt < 5 && !closed; ++attempt) {
            Focus(display, window);
            Tap(display, XK_Escape);
            closed = Closes(display, title, 1000);
        }
        if (!closed) XKillClient(display, window);
        XSync(display, False);
    }
    XCloseDisplay(display);
    return ok && !escaped;
}

}  // namespace

XDriverRun& XDriverRun::operator=(XDriverRun&& other) noexcept {
    if (this != &other) {
        get();
        child_ = other.child_;
        other.child_ = -1;
    }
    return *this;
}

bool XDriverRun::get() {
    if (child_ < 0) return false;
    int status = 0;
    while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
    }
    child_ = -1;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

XDriverRun DriveWindow(const std::string& title, std::vector<XStep> steps) {
    pid_t child = fork();
    if (child == 0) _exit(Run(title, steps) ? 0 : 1);
    return XDriverRun(child);
}

// A test's own connection to an X display, doing what a user at it would do
// and seeing what they would see: top-level windows found by title with
// their place on the screen, pointer motion, buttons and keys sent through
// the XTEST extension (so they reach programs exactly as real input does),
// pixels read back from the screen, and a window manager started and
// stopped on the display.
#pragma once

#include "tests/support/ChildProcess.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace OvTest {

struct WindowGeometry {
    unsigned long id = 0;
    int x = 0, y = 0;  // top-left corner in screen coordinates
    int width = 0, height = 0;
};

// A rectangle of the screen; pixels as 0xRRGGBB, rows top to bottom.
struct ScreenImage {
    int x = 0, y = 0, width = 0, height = 0;
    std::vector<uint32_t> pixels;

    // The pixel at a screen position inside the rectangle.
    uint32_t At(int screenX, int screenY) const {
        return pixels[static_cast<size_t>(screenY - y) * width + (screenX - x)];
    }
    // Pixels with at least one channel above `threshold` (0..255).
    int CountBrighterThan(int threshold) const;
};

class XSession {
public:
    XSession() = default;
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Connects to the display (":N"; empty means $DISPLAY) and checks for XTEST.
    bool Open(const std::string& displayName = {});
    Display* Raw() const { return display_; }
    const std::string& DisplayName() const { return displayName_; }
    int ScreenWidth() const;
    int ScreenHeight() const;

    // The first shown window with that title (its WM_NAME), at any depth
    // under the root (a window manager puts clients inside frames).
    std::optional<WindowGeometry> FindWindow(const std::string& title) const;
    // Waits (bounded) for a shown window with that title and that size.
    std::optional<WindowGeometry> WaitForWindow(const std::string& title, int width, int height, double seconds) const;
    // The window with the keyboard focus; 0 for none or pointer-root.
    unsigned long FocusedWindow() const;
    // Another client's request to move or resize a window (a window manager
    // or a user would do the same).
    void MoveWindow(unsigned long window, int x, int y) const;
    void ResizeWindow(unsigned long window, int width, int height) const;

    // Input through XTEST; each call returns once the server has it.
    void MovePointer(int x, int y) const;
    void PressButton(int button) const;  // 1 left, 2 middle, 3 right
    void ReleaseButton(int button) const;
    void Click(int button) const;
    // Keys by X keysym name: "a", "Escape", "Return".
    void PressKey(const std::string& keysymName) const;
    void ReleaseKey(const std::string& keysymName) const;
    void TapKey(const std::string& keysymName) const;
    void PointerPosition(int* x, int* y) const;

    // The screen as shown now.
    ScreenImage Grab(int x, int y, int width, int height) const;
    uint32_t Pixel(int x, int y) const;

    // A window manager (openbox) on this display; Start waits (bounded)
    // until it has announced itself on the root window.
    bool StartWindowManager(double seconds = 20.0);
    void StopWindowManager();
    bool WindowManagerRunning() const;

private:
    void FakeKey(const std::string& keysymName, bool press) const;
    bool WindowManagerFramesAProbe(double seconds) const;

    Display* display_ = nullptr;
    std::string displayName_;
    ChildProcess windowManager_;
};

}  // namespace OvTest

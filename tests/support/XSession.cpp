#include "tests/support/XSession.h"

#include "tests/e2e/WaitUntil.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstdlib>

namespace OvTest {

namespace {

bool HasTitle(Display* display, Window window, const std::string& title) {
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || !name) return false;
    const bool same = title == name;
    XFree(name);
    return same;
}

std::optional<WindowGeometry> GeometryOf(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) return std::nullopt;
    WindowGeometry geometry;
    Window child = 0;
    XTranslateCoordinates(display, window, attributes.root, 0, 0, &geometry.x, &geometry.y, &child);
    geometry.id = window;
    geometry.width = attributes.width;
    geometry.height = attributes.height;
    return geometry;
}

std::optional<WindowGeometry> Search(Display* display, Window parent, const std::string& title) {
    Window root = 0, parentOut = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) return std::nullopt;
    std::optional<WindowGeometry> found;
    // Topmost first: the last child is on top.
    for (unsigned int i = count; i-- > 0 && !found;) {
        if (HasTitle(display, children[i], title)) found = GeometryOf(display, children[i]);
        if (!found) found = Search(display, children[i], title);
    }
    if (children) XFree(children);
    return found;
}

// Windows of other programs may go while the session looks at them: errors
// about them are expected, and must not end the test process.
class IgnoredErrors {
public:
    explicit IgnoredErrors(Display* display) : display_(display), previous_(XSetErrorHandler(Ignore)) {}
    ~IgnoredErrors() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }

private:
    static int Ignore(Display*, XErrorEvent*) { return 0; }
    Display* display_;
    XErrorHandler previous_;
};

uint32_t Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    return static_cast<uint32_t>((pixel & mask) >> shift) & 0xFF;
}

}  // namespace

int ScreenImage::CountBrighterThan(int threshold) const {
    int count = 0;
    for (uint32_t pixel : pixels) {
        const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        if (r > threshold || g > threshold || b > threshold) ++count;
    }
    return count;
}

XSession::~XSession() {
    StopWindowManager();
    if (display_) XCloseDisplay(display_);
}

bool XSession::Open(const std::string& displayName) {
    const char* name = displayName.empty() ? std::getenv("DISPLAY") : displayName.c_str();
    if (!name || display_) return false;
    display_ = XOpenDisplay(name);
    if (!display_) return false;
    displayName_ = name;
    int event = 0, error = 0, major = 0, minor = 0;
    return XTestQueryExtension(display_, &event, &error, &major, &minor);
}

int XSession::ScreenWidth() const { return DisplayWidth(display_, DefaultScreen(display_)); }
int XSession::ScreenHeight() const { return DisplayHeight(display_, DefaultScreen(display_)); }

std::optional<WindowGeometry> XSession::FindWindow(const std::string& title) const {
    IgnoredErrors ignored(display_);
    return Search(display_, DefaultRootWindow(display_), title);
}

std::optional<WindowGeometry> XSession::WaitForWindow(const std::string& title, int width, int height,
                                                      double seconds) const {
    std::optional<WindowGeometry> found;
    WaitUntil(
        [&] {
            found = FindWindow(title);
            return found && found->width == width && found->height == height;
        },
        seconds, 0.05);
    if (found && (found->width != width || found->height != height)) return std::nullopt;
    return found;
}

unsigned long XSession::FocusedWindow() const {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return focus == PointerRoot ? 0 : focus;
}

void XSession::MoveWindow(unsigned long window, int x, int y) const {
    IgnoredErrors ignored(display_);
    XMoveWindow(display_, window, x, y);
    XSync(display_, False);
}

void XSession::ResizeWindow(unsigned long window, int width, int height) const {
    IgnoredErrors ignored(display_);
    XResizeWindow(display_, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(display_, False);
}

void XSession::MovePointer(int x, int y) const {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
    XSync(display_, False);
}

void XSession::PressButton(int button) const {
    XTestFakeButtonEvent(display_, static_cast<unsigned>(button), True, CurrentTime);
    XSync(display_, False);
}

void XSession::ReleaseButton(int button) const {
    XTestFakeButtonEvent(display_, static_cast<unsigned>(button), False, CurrentTime);
    XSync(display_, False);
}

void XSession::Click(int button) const {
    PressButton(button);
    ReleaseButton(button);
}

void XSession::FakeKey(const std::string& keysymName, bool press) const {
    const KeySym keysym = XStringToKeysym(keysymName.c_str());
    const KeyCode code = keysym == NoSymbol ? 0 : XKeysymToKeycode(display_, keysym);
    if (code == 0) return;
    XTestFakeKeyEvent(display_, code, press ? True : False, CurrentTime);
    XSync(display_, False);
}

void XSession::PressKey(const std::string& keysymName) const { FakeKey(keysymName, true); }
void XSession::ReleaseKey(const std::string& keysymName) const { FakeKey(keysymName, false); }

void XSession::TapKey(const std::string& keysymName) const {
    FakeKey(keysymName, true);
    FakeKey(keysymName, false);
}

void XSession::PointerPosition(int* x, int* y) const {
    Window root = 0, child = 0;
    int windowX = 0, windowY = 0;
    unsigned int buttons = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, x, y, &windowX, &windowY, &buttons);
}

ScreenImage XSession::Grab(int x, int y, int width, int height) const {
    ScreenImage image;
    XImage* grabbed = XGetImage(display_, DefaultRootWindow(display_), x, y, static_cast<unsigned>(width),
                                static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!grabbed) return image;
    image.x = x;
    image.y = y;
    image.width = width;
    image.height = height;
    image.pixels.reserve(static_cast<size_t>(width) * height);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const unsigned long pixel = XGetPixel(grabbed, column, row);
            image.pixels.push_back(Channel(pixel, grabbed->red_mask) << 16 | Channel(pixel, grabbed->green_mask) << 8 |
                                   Channel(pixel, grabbed->blue_mask));
        }
    }
    XDestroyImage(grabbed);
    return image;
}

uint32_t XSession::Pixel(int x, int y) const {
    ScreenImage image = Grab(x, y, 1, 1);
    return image.pixels.empty() ? 0 : image.pixels[0];
}

bool XSession::WindowManagerRunning() const {
    const Atom check = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int result = XGetWindowProperty(display_, DefaultRootWindow(display_), check, 0, 1, False, XA_WINDOW, &type,
                                          &format, &items, &remaining, &data);
    const bool present = result == Success && type == XA_WINDOW && items == 1;
    if (data) XFree(data);
    return present;
}

bool XSession::StartWindowManager(double seconds) {
    // A manager that ran before may have left its announcement behind.
    XDeleteProperty(display_, DefaultRootWindow(display_), XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False));
    XSync(display_, False);
    LaunchOptions options;
    options.arguments = {"openbox", "--sm-disable"};
    options.environment = {"DISPLAY=" + displayName_};
    options.outputPath = "/dev/null";
    if (!windowManager_.Launch(options)) return false;
    const bool announced =
        WaitUntil([&] { return WindowManagerRunning() || !windowManager_.Running(); }, seconds, 0.05) &&
        windowManager_.Running();
    if (announced && WindowManagerFramesAProbe(seconds)) return true;
    windowManager_.Stop();
    return false;
}

// openbox announces itself before its event loop runs, and a map request
// that arrives in between can stay unanswered until some later event wakes
// it (a program mapping its first window would then wait for ever). A probe
// window of the session's own is mapped, and the root window touched while
// it waits, until the manager has put the probe in a frame: from then on it
// answers every request as it comes.
bool XSession::WindowManagerFramesAProbe(double seconds) const {
    const Window root = DefaultRootWindow(display_);
    const Window probe = XCreateSimpleWindow(display_, root, 0, 0, 8, 8, 0, 0, 0);
    XMapWindow(display_, probe);
    const Atom poke = XInternAtom(display_, "_OV_TEST_POKE", False);
    const bool framed = WaitUntil(
        [&] {
            XChangeProperty(display_, root, poke, XA_CARDINAL, 32, PropModeReplace, nullptr, 0);
            XSync(display_, False);
            Window rootOut = 0, parent = 0, *children = nullptr;
            unsigned int count = 0;
            if (XQueryTree(display_, probe, &rootOut, &parent, &children, &count) && children) XFree(children);
            return parent != 0 && parent != root;
        },
        seconds, 0.1);
    XDestroyWindow(display_, probe);
    XDeleteProperty(display_, root, poke);
    XSync(display_, False);
    return framed;
}

void XSession::StopWindowManager() {
    windowManager_.Stop();
    if (display_) XSync(display_, False);
}

}  // namespace OvTest

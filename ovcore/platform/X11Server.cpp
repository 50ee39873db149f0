#include "ovcore/platform/X11Server.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <cstring>

namespace {

// A connection of our own for the pointer and the screen, so that reading
// them needs no window and does not touch SDL's event stream.
Display* PointerConnection() {
    static Display* display = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const char* driver = SDL_GetCurrentVideoDriver();
        if (driver && std::strcmp(driver, "x11") == 0) display = XOpenDisplay(nullptr);
    }
    return display;
}

struct WindowConnection {
    Display* display = nullptr;
    Window window = 0;
};

// The window's own connection: requests on it are ordered after everything
// SDL asked for that window.
WindowConnection ConnectionOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return {};
    return WindowConnection{info.info.x11.display, info.info.x11.window};
}

bool IsMapped(const WindowConnection& connection) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(connection.display, connection.window, &attributes) &&
           attributes.map_state == IsViewable;
}

int g_trappedError = 0;

int RecordError(Display*, XErrorEvent* error) {
    g_trappedError = error->error_code;
    return 0;
}

// Runs a request and waits for the server's answer with errors reported as
// false instead of ending the process.
template <typename Request>
bool TrapErrors(Display* display, Request request) {
    g_trappedError = 0;
    XErrorHandler previous = XSetErrorHandler(RecordError);
    request();
    XSync(display, False);
    XSetErrorHandler(previous);
    return g_trappedError == 0;
}

}  // namespace

bool X11QueryPointer(POINT* point) {
    Display* display = PointerConnection();
    if (!display) return false;
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int buttons = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX, &windowY,
                       &buttons)) {
        return false;
    }
    *point = POINT{rootX, rootY};
    return true;
}

bool X11WarpPointer(int x, int y) {
    Display* display = PointerConnection();
    if (!display) return false;
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
    XSync(display, False);
    return true;
}

bool X11ScreenSize(int* width, int* height) {
    Display* display = PointerConnection();
    if (!display) return false;
    Window root = 0;
    int x = 0, y = 0;
    unsigned int rootWidth = 0, rootHeight = 0, border = 0, depth = 0;
    if (!XGetGeometry(display, DefaultRootWindow(display), &root, &x, &y, &rootWidth, &rootHeight, &border, &depth))
        return false;
    *width = static_cast<int>(rootWidth);
    *height = static_cast<int>(rootHeight);
    return true;
}

unsigned long X11WindowOf(SDL_Window* window) { return ConnectionOf(window).window; }

unsigned long X11FocusedWindow(SDL_Window* anyWindow) {
    WindowConnection connection = ConnectionOf(anyWindow);
    if (!connection.display) return 0;
    Window focus = None;
    int revert = 0;
    XGetInputFocus(connection.display, &focus, &revert);
    if (focus == None || focus == PointerRoot || focus == DefaultRootWindow(connection.display)) return 0;
    return focus;
}

bool X11FocusWindow(SDL_Window* window) {
    WindowConnection connection = ConnectionOf(window);
    if (!connection.display || !IsMapped(connection)) return false;
    return TrapErrors(connection.display,
                      [&] { XSetInputFocus(connection.display, connection.window, RevertToParent, CurrentTime); });
}

bool X11WindowRect(SDL_Window* window, RECT* rect) {
    WindowConnection connection = ConnectionOf(window);
    if (!connection.display) return false;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(connection.display, connection.window, &attributes)) return false;
    Window child = 0;
    int x = 0, y = 0;
    if (!XTranslateCoordinates(connection.display, connection.window, attributes.root, 0, 0, &x, &y, &child))
        return false;
    *rect = RECT{x, y, x + attributes.width, y + attributes.height};
    return true;
}

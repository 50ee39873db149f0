// What the platform reads from and asks of the X server itself, where SDL
// answers from state it refreshes only on some events: the pointer (SDL's
// global mouse state on X11 moves only on button events), the keyboard focus
// (a display without a window manager gives it to no one by itself) and the
// place and size of a window that something else moved. Every call fails
// (false, or 0 for a window) when SDL's windows are not on an X server.
#pragma once

#include "ovcore/platform/Windows.h"

struct SDL_Window;

// The pointer in root-window (screen) coordinates, asked of the server now.
bool X11QueryPointer(POINT* point);
// Moves the pointer to a screen position; the next query reads it.
bool X11WarpPointer(int x, int y);
// The screen's size now (after a mode change by any client too).
bool X11ScreenSize(int* width, int* height);

// The X window behind an SDL window.
unsigned long X11WindowOf(SDL_Window* window);
// The X window that has the keyboard focus; 0 when no window has it (none,
// or the focus follows the pointer).
unsigned long X11FocusedWindow(SDL_Window* anyWindow);
// Gives the keyboard focus to a shown window.
bool X11FocusWindow(SDL_Window* window);
// The window's place on the screen and its size as the server has them.
bool X11WindowRect(SDL_Window* window, RECT* rect);

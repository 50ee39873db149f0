// Registered window classes by name.
#pragma once

#include "ovcore/platform/Windows.h"

#include <string>

struct WindowClassRecord {
    std::string name;
    WORD atom;
    WNDCLASSA fields;
};

// The registered class of that name (or atom, for MAKEINTRESOURCE names).
const WindowClassRecord* WindowClassFind(LPCSTR className);

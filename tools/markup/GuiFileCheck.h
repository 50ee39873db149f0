// The checks gui_check makes on the text of theme and layout files: every
// key a loader reads, its value, and the names it refers to, each mistake
// printed as "error: <file>:<line>: <key>: <what is wrong>".
#pragma once

#include "ovcore/gui/Gui.h"

#include <set>
#include <string>

// Checks the first Theme named themeName of the file, before the GUI loads
// it. Returns the number of errors printed (a file that cannot be read or
// parsed is one).
int CheckThemeFile(const char* path, const char* themeName);

// Checks the first Group named groupName of the file against the theme the
// GUI holds and the procedures it has registered, before the GUI loads the
// group. controls holds the names of the controls loaded so far and gains
// this group's. Returns the number of errors printed.
int CheckLayoutFile(OvCore::OV_GUI& gui, const char* path, const char* groupName, std::set<std::string>& controls);

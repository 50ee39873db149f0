// The file and folder dialogs as child processes: zenity, else kdialog. A
// request says what to ask; the command builders turn it into an argument
// vector (no shell, so titles and paths are never interpreted).
#pragma once

#include "ovcore/platform/PlatformApi.h"

#include <string>
#include <utility>
#include <vector>

struct DialogRequest {
    enum Kind { kOpen, kSave, kFolder };
    Kind kind = kOpen;
    std::string title;  // UTF-8; empty: the dialog's own
    std::string startPath;  // a folder ending in '/', or a file to propose
    // (name, patterns separated by blanks), the first one shown first.
    std::vector<std::pair<std::string, std::string>> filters;
    bool multiple = false;
    bool confirmOverwrite = false;
    unsigned long owner = 0;  // X11 window the dialog stays above; 0: none
};

// Reads a Windows filter list ("Text\0*.txt;*.log\0All\0*.*\0\0") into
// (name, patterns) pairs: ';' becomes a blank, "*.*" (every file on
// Windows) becomes "*". `selected` (1-based) moves that pair to the front.
OV_PLATFORM_API std::vector<std::pair<std::string, std::string>> ParseFilterList(const char* list, unsigned selected);

OV_PLATFORM_API std::vector<std::string> ZenityArguments(const std::string& program, const DialogRequest& request);
OV_PLATFORM_API std::vector<std::string> KdialogArguments(const std::string& program, const DialogRequest& request);

enum class DialogOutcome { kChosen, kCancelled, kUnavailable };
// Shows the dialog with the first program found; *paths are the chosen files.
OV_PLATFORM_API DialogOutcome RunDialog(const DialogRequest& request, std::vector<std::string>* paths);

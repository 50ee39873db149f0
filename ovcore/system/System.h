// OV_SYSTEM: registry, file types, message boxes, the shell and the file dialogs.
#pragma once

#include "ovcore/app/Core.h"
#include "ovcore/platform/Windows.h"

#include <cstdint>
#include <string>

namespace OvCore {

// Operating-system services: registry keys and values, registering a file
// type, message boxes, opening documents and programs, the open and save
// dialogs and the folder picker. Dialogs may be owned by one of the core's
// named windows, found by name and id; a null or unknown name means none.
class OV_SYSTEM {
public:
    // OpenKey modes: open an existing key, or open or create it:
    static constexpr int OPEN_EXISTING = 10;
    static constexpr int OPEN_OR_CREATE = 2;
    // FileDialog kinds: a file to open, a file to save:
    static constexpr int OPEN_DIALOG = 10;
    static constexpr int SAVE_DIALOG = 11;
    // FileDialog option bits: ask before overwriting, no places bar, several files, hide read-only:
    static constexpr int OPTION_OVERWRITE_PROMPT = 1;
    static constexpr int OPTION_NO_PLACES_BAR = 2;
    static constexpr int OPTION_MULTIPLE = 4;
    static constexpr int OPTION_HIDE_READ_ONLY = 8;

    // The caption of a message box whose caller gives none and names no window.
    static constexpr const char* DEFAULT_CAPTION = "Orvo Core Application";

    OV_CORE* core;  // the core whose windows own the dialogs

    explicit OV_SYSTEM(OV_CORE* owner = &OvCore::core) : core(owner) {}  // works with owner's windows

    // Mode 10 opens an existing key, mode 2 opens or creates it; null for a
    // failure or any other mode. Close the key with CloseKey.
    HKEY OpenKey(HKEY root, const char* subKey, int mode);
    // Close an open key, delete a key without subkeys; false on failure:
    bool CloseKey(HKEY key);
    bool DeleteKey(HKEY root, const char* subKey);
    // An empty or null name addresses the key's default value.
    bool SetValue(HKEY key, const char* name, DWORD type, const void* data, DWORD size);
    // Reads a value's type and bytes (size in: the room in data, out: the bytes);
    // true on success. ValueExists: whether the value is there. DeleteValue: false
    // when it is not, or cannot be deleted:
    bool QueryValue(HKEY key, const char* name, DWORD* type, void* data, DWORD* size);
    bool ValueExists(HKEY key, const char* name);
    bool DeleteValue(HKEY key, const char* name);

    // Under HKEY_CLASSES_ROOT: the extension's default value names the type,
    // the type's DefaultIcon and shell\open\command hold the icon and the
    // command. The same association is written for the desktop (a MIME type
    // for the extension, an application entry running the command, and the
    // default application for the type) under $XDG_DATA_HOME and
    // $XDG_CONFIG_HOME. Stops at the first failure.
    bool AssociateFileType(const char* typeName, const char* extension, const char* openCommand, const char* icon);

    // The button pressed (IDOK, IDYES, ...); 0 when no box could be shown.
    // Caption: the given one, else the named window's title, else
    // DEFAULT_CAPTION.
    int ShowMessage(const char* text, const char* caption, UINT style, const char* windowName, int windowId);

    // Opens a document with its handler or starts a program; above 32 is
    // success. 1 without starting anything when the named window is missing.
    intptr_t ShellOpen(const char* file, const char* parameters, const char* windowName, int windowId);

    // Kind 10 asks for a file to open, 11 for a file to save. `filter` is
    // "description|pattern|description|pattern". Returns `path`, holding the
    // chosen file (with OPTION_MULTIPLE and several files: the folder, then
    // each name, each ending in a zero, the list in two zeros); empty when
    // cancelled, for another kind, or when the choice does not fit in
    // `pathSize` bytes.
    char* FileDialog(char* path, int kind, const char* filter, const char* title, const char* initialDirectory,
                     int options, const char* windowName, int windowId, size_t pathSize = MAX_PATH);

    // The chosen folder in `path`; empty when cancelled or when it does not
    // fit in `pathSize` bytes.
    char* BrowseFolder(char* path, const char* title, const char* windowName, int windowId, size_t pathSize = MAX_PATH);

    // The zero-separated, double-zero-terminated list the dialogs take, from
    // "description|pattern|...".
    static std::string FilterList(const char* filter);
    // The dialog flags for a kind and option bits.
    static DWORD DialogFlags(int kind, int options);

private:
    OV_WINDOW* FindWindow(const char* name, int id) const;
    HWND OwnerOf(const char* name, int id) const;
};

}  // namespace OvCore

// The open and save dialogs and the folder picker of OV_SYSTEM.
#include "ovcore/system/System.h"

#include <cstring>
#include <string>

namespace OvCore {

namespace {

constexpr DWORD kAlwaysFlags = OFN_EXPLORER | OFN_NOCHANGEDIR;
constexpr DWORD kOpenFlags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;

// The length of a zero-separated list up to and including its second zero;
// `capacity` when it does not end inside the buffer.
size_t ListLength(const char* list, size_t capacity) {
    size_t position = 0;
    for (;;) {
        position += strnlen(list + position, capacity - position) + 1;
        if (position >= capacity) return capacity;
        if (list[position] == '\0') return position + 1;
    }
}

// Copies the choice when it fits whole; a cut path would name another file.
void CopyChoice(char* path, size_t pathSize, const char* choice, size_t length) {
    if (length <= pathSize) std::memcpy(path, choice, length);
}

}  // namespace

std::string OV_SYSTEM::FilterList(const char* filter) {
    if (!filter) return std::string();
    std::string list = std::string(filter) + "|";
    for (char& c : list) {
        if (c == '|') c = '\0';
    }
    // The string's own terminator is the second zero.
    return list;
}

DWORD OV_SYSTEM::DialogFlags(int kind, int options) {
    DWORD flags = kAlwaysFlags;
    if (options & OPTION_OVERWRITE_PROMPT) flags |= OFN_OVERWRITEPROMPT;
    if (options & OPTION_MULTIPLE) flags |= OFN_ALLOWMULTISELECT;
    if (options & OPTION_HIDE_READ_ONLY) flags |= OFN_HIDEREADONLY;
    if (kind == OPEN_DIALOG) flags |= kOpenFlags;
    return flags;
}

char* OV_SYSTEM::FileDialog(char* path, int kind, const char* filter, const char* title, const char* initialDirectory,
                            int options, const char* windowName, int windowId, size_t pathSize) {
    if (!path || pathSize == 0) return path;
    path[0] = '\0';
    if (kind != OPEN_DIALOG && kind != SAVE_DIALOG) return path;
    char file[MAX_PATH] = "";
    char currentDirectory[MAX_PATH] = "";
    std::string filters = FilterList(filter);
    OPENFILENAMEA record{};
    record.lStructSize = OPENFILENAME_SIZE_32BIT;
    record.hwndOwner = OwnerOf(windowName, windowId);
    record.lpstrFilter = filter ? filters.c_str() : nullptr;
    record.lpstrFile = file;
    record.nMaxFile = MAX_PATH;
    if (initialDirectory) {
        record.lpstrInitialDir = initialDirectory;
    } else {
        DWORD length = GetCurrentDirectoryA(MAX_PATH, currentDirectory);
        record.lpstrInitialDir = length > 0 && length < MAX_PATH ? currentDirectory : nullptr;
    }
    if (title) record.lpstrTitle = title;
    record.Flags = DialogFlags(kind, options);
    if (options & OPTION_NO_PLACES_BAR) record.FlagsEx = OFN_EX_NOPLACESBAR;
    BOOL chosen = kind == OPEN_DIALOG ? GetOpenFileNameA(&record) : GetSaveFileNameA(&record);
    if (!chosen) return path;
    size_t length = record.Flags & OFN_ALLOWMULTISELECT ? ListLength(file, MAX_PATH) : strnlen(file, MAX_PATH) + 1;
    CopyChoice(path, pathSize, file, length);
    return path;
}

char* OV_SYSTEM::BrowseFolder(char* path, const char* title, const char* windowName, int windowId, size_t pathSize) {
    if (!path || pathSize == 0) return path;
    path[0] = '\0';
    BROWSEINFOA info{};
    info.hwndOwner = OwnerOf(windowName, windowId);
    info.lpszTitle = title;
    PIDLIST_ABSOLUTE list = SHBrowseForFolderA(&info);
    if (!list) return path;
    char folder[MAX_PATH] = "";
    if (SHGetPathFromIDListA(list, folder)) CopyChoice(path, pathSize, folder, std::strlen(folder) + 1);
    IMalloc* allocator = nullptr;
    if (SHGetMalloc(&allocator) == S_OK) {
        allocator->Free(list);
        allocator->Release();
    }
    return path;
}

}  // namespace OvCore

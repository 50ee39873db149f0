// The open and save dialogs and the folder picker over zenity or kdialog,
// with the Windows records, result layouts and the shell allocator.
#include "ovcore/platform/DialogCommand.h"
#include "ovcore/platform/Latin1Utf8.h"
#include "ovcore/platform/SdlBridge.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

// A dialog that keeps returning a path its flags refuse is given up after
// this many showings, as if cancelled.
constexpr int kMaxShowings = 8;

DWORD lastDialogError = 0;

unsigned long X11WindowOf(HWND owner) {
    SDL_Window* window = PlatformWindowSdl(owner);
    if (!window) return 0;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return static_cast<unsigned long>(info.info.x11.window);
}

std::string CurrentFolder() {
    char folder[4096];
    DWORD length = GetCurrentDirectoryA(sizeof(folder), folder);
    return length > 0 && length < sizeof(folder) ? folder : ".";
}

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string StartPath(const OPENFILENAMEA& record) {
    std::string folder = record.lpstrInitialDir && *record.lpstrInitialDir ? record.lpstrInitialDir : CurrentFolder();
    std::string proposed(record.lpstrFile, strnlen(record.lpstrFile, record.nMaxFile));
    if (proposed.empty()) return folder + "/";
    return proposed[0] == '/' ? proposed : folder + "/" + proposed;
}

DialogRequest RequestFor(const OPENFILENAMEA& record, bool save) {
    DialogRequest request;
    request.kind = save ? DialogRequest::kSave : DialogRequest::kOpen;
    request.title = Latin1ToUtf8(record.lpstrTitle);
    request.startPath = StartPath(record);
    request.filters = ParseFilterList(record.lpstrFilter, record.nFilterIndex);
    request.multiple = !save && (record.Flags & OFN_ALLOWMULTISELECT);
    request.confirmOverwrite = save && (record.Flags & OFN_OVERWRITEPROMPT);
    request.owner = X11WindowOf(record.hwndOwner);
    return request;
}

// Adds the default extension to a name typed without one.
void AddDefaultExtension(std::string* path, const char* extension) {
    if (!extension || !*extension) return;
    size_t slash = path->rfind('/');
    std::string name = path->substr(slash == std::string::npos ? 0 : slash + 1);
    if (name.find('.') == std::string::npos) *path += std::string(".") + extension;
}

bool Acceptable(const std::vector<std::string>& paths, DWORD flags) {
    for (const std::string& path : paths) {
        if ((flags & OFN_FILEMUSTEXIST) && !Exists(path)) return false;
        if ((flags & OFN_PATHMUSTEXIST) && !IsFolder(FolderOf(path))) return false;
    }
    return true;
}

// Writes the choice in the Windows layout: one file as its full path; several
// as the folder, then each name, each ending in a zero, the list in two.
bool WriteChoice(OPENFILENAMEA* record, const std::vector<std::string>& paths) {
    std::string result;
    WORD fileOffset = 0, extensionOffset = 0;
    if (paths.size() == 1) {
        result = paths[0];
        size_t slash = result.rfind('/');
        fileOffset = static_cast<WORD>(slash == std::string::npos ? 0 : slash + 1);
        size_t dot = result.rfind('.');
        if (dot != std::string::npos && dot >= fileOffset) extensionOffset = static_cast<WORD>(dot + 1);
    } else {
        result = FolderOf(paths[0]);
        fileOffset = static_cast<WORD>(result.size() + 1);
        for (const std::string& path : paths) result += '\0' + path.substr(path.rfind('/') + 1);
    }
    result += '\0';
    if (record->Flags & OFN_ALLOWMULTISELECT) result += '\0';
    if (result.size() > record->nMaxFile) {
        lastDialogError = FNERR_BUFFERTOOSMALL;
        if (record->nMaxFile >= 2) {
            WORD needed = static_cast<WORD>(result.size() > 0xFFFF ? 0xFFFF : result.size());
            std::memcpy(record->lpstrFile, &needed, sizeof(needed));
        }
        return false;
    }
    std::memcpy(record->lpstrFile, result.data(), result.size());
    record->nFileOffset = fileOffset;
    record->nFileExtension = extensionOffset;
    if (record->lpstrFileTitle && record->nMaxFileTitle > 0 && paths.size() == 1) {
        std::string title = paths[0].substr(fileOffset);
        size_t length = std::min<size_t>(title.size(), record->nMaxFileTitle - 1);
        std::memcpy(record->lpstrFileTitle, title.data(), length);
        record->lpstrFileTitle[length] = '\0';
    }
    return true;
}

BOOL RunFileDialog(OPENFILENAMEA* record, bool save) {
    lastDialogError = 0;
    if (!record || record->lStructSize < OPENFILENAME_SIZE_VERSION_400) {
        lastDialogError = CDERR_STRUCTSIZE;
        return FALSE;
    }
    if (!record->lpstrFile || record->nMaxFile == 0) {
        lastDialogError = CDERR_INITIALIZATION;
        return FALSE;
    }
    DialogRequest request = RequestFor(*record, save);
    for (int showing = 0; showing < kMaxShowings; ++showing) {
        std::vector<std::string> paths;
        DialogOutcome outcome = RunDialog(request, &paths);
        if (outcome == DialogOutcome::kUnavailable) lastDialogError = CDERR_INITIALIZATION;
        if (outcome != DialogOutcome::kChosen) return FALSE;
        if (save) AddDefaultExtension(&paths[0], record->lpstrDefExt);
        if (Acceptable(paths, record->Flags)) return WriteChoice(record, paths) ? TRUE : FALSE;
        request.startPath = paths[0];
    }
    return FALSE;
}

// The shell's task allocator: blocks carry their size in front.
class ShellAllocator final : public IMalloc {
public:
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    void* Alloc(SIZE_T size) override {
        auto* block = static_cast<SIZE_T*>(std::malloc(sizeof(SIZE_T) * 2 + size));
        if (!block) return nullptr;
        block[0] = size;
        return block + 2;
    }
    void* Realloc(void* block, SIZE_T size) override {
        if (!block) return Alloc(size);
        auto* grown = static_cast<SIZE_T*>(std::realloc(static_cast<SIZE_T*>(block) - 2, sizeof(SIZE_T) * 2 + size));
        if (!grown) return nullptr;
        grown[0] = size;
        return grown + 2;
    }
    void Free(void* block) override {
        if (block) std::free(static_cast<SIZE_T*>(block) - 2);
    }
    SIZE_T GetSize(void* block) override { return block ? static_cast<SIZE_T*>(block)[-2] : 0; }
};

ShellAllocator& Allocator() {
    static ShellAllocator allocator;
    return allocator;
}

// One item holding the folder's path and its terminating zero, then the
// empty item that ends the list.
PIDLIST_ABSOLUTE ItemListFor(const std::string& path) {
    size_t itemSize = sizeof(USHORT) + path.size() + 1;
    if (itemSize > 0xFFFF) return nullptr;
    auto* bytes = static_cast<BYTE*>(Allocator().Alloc(itemSize + sizeof(USHORT)));
    if (!bytes) return nullptr;
    USHORT size = static_cast<USHORT>(itemSize), end = 0;
    std::memcpy(bytes, &size, sizeof(size));
    std::memcpy(bytes + sizeof(USHORT), path.c_str(), path.size() + 1);
    std::memcpy(bytes + itemSize, &end, sizeof(end));
    return reinterpret_cast<PIDLIST_ABSOLUTE>(bytes);
}

}  // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* record) { return RunFileDialog(record, false); }

BOOL GetSaveFileNameA(OPENFILENAMEA* record) { return RunFileDialog(record, true); }

DWORD CommDlgExtendedError(void) { return lastDialogError; }

PIDLIST_ABSOLUTE SHBrowseForFolderA(BROWSEINFOA* info) {
    if (!info) return nullptr;
    DialogRequest request;
    request.kind = DialogRequest::kFolder;
    request.title = Latin1ToUtf8(info->lpszTitle);
    request.startPath = CurrentFolder() + "/";
    request.owner = X11WindowOf(info->hwndOwner);
    std::vector<std::string> paths;
    if (RunDialog(request, &paths) != DialogOutcome::kChosen) return nullptr;
    if (info->pszDisplayName) {
        std::string name = paths[0].substr(paths[0].rfind('/') + 1);
        if (name.empty()) name = paths[0];
        size_t length = std::min<size_t>(name.size(), MAX_PATH - 1);
        std::memcpy(info->pszDisplayName, name.data(), length);
        info->pszDisplayName[length] = '\0';
    }
    return ItemListFor(paths[0]);
}

BOOL SHGetPathFromIDListA(LPCITEMIDLIST list, LPSTR path) {
    if (!path) return FALSE;
    path[0] = '\0';
    if (!list) return FALSE;
    USHORT size = 0;
    std::memcpy(&size, list, sizeof(size));
    if (size <= sizeof(USHORT)) return FALSE;
    const char* text = reinterpret_cast<const char*>(list) + sizeof(USHORT);
    size_t length = strnlen(text, size - sizeof(USHORT));
    if (length >= MAX_PATH) return FALSE;
    std::memcpy(path, text, length);
    path[length] = '\0';
    return TRUE;
}

HRESULT SHGetMalloc(IMalloc** allocator) {
    if (!allocator) return E_INVALIDARG;
    *allocator = &Allocator();
    return S_OK;
}

void CoTaskMemFree(void* block) { Allocator().Free(block); }

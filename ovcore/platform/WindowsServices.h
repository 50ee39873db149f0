// The operating-system services of the Windows subset: registry, message
// boxes, shell execution, open/save/folder dialogs and the current directory.
// Included by platform/Windows.h; the registry lives in one SQLite database
// per user (Registry*.cpp), dialogs are zenity or kdialog child processes.
#pragma once

#include "ovcore/platform/PlatformApi.h"

#include <cstddef>
#include <cstdint>

// Result and size types: a registry status (ERROR_...), a COM result (S_OK,
// E_...), an access mask, and unsigned integers at their Windows widths:
typedef LONG LSTATUS;
typedef LONG HRESULT;
typedef DWORD REGSAM;
typedef unsigned short USHORT;
typedef unsigned long ULONG;
typedef size_t SIZE_T;

// The layer's open registry key record behind HKEY; opaque to callers.
struct PlatformRegistryKey;
// An open registry key, or one of the predefined roots (HKEY_...).
typedef PlatformRegistryKey* HKEY;

// Security attributes for RegCreateKeyExA; accepted and ignored.
struct SECURITY_ATTRIBUTES {
    // Size, descriptor and inheritance, as on Windows:
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};

// ---------------------------------------------------------------- error codes
// The registry calls' results: success, and what failed (a missing key or
// value, a refused root, a bad handle or parameter, data larger than the
// caller's room, the database unreadable, unwritable or damaged, a key deleted
// while open):
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_MORE_DATA 234L
#define ERROR_BADDB 1009L
#define ERROR_BADKEY 1010L
#define ERROR_CANTOPEN 1011L
#define ERROR_CANTREAD 1012L
#define ERROR_CANTWRITE 1013L
#define ERROR_REGISTRY_CORRUPT 1015L
#define ERROR_KEY_DELETED 1018L

// ---------------------------------------------------------------- registry
// The predefined root keys; never closed, never deleted:
#define HKEY_CLASSES_ROOT ((HKEY)(intptr_t)(int32_t)0x80000000)
#define HKEY_CURRENT_USER ((HKEY)(intptr_t)(int32_t)0x80000001)
#define HKEY_LOCAL_MACHINE ((HKEY)(intptr_t)(int32_t)0x80000002)
#define HKEY_USERS ((HKEY)(intptr_t)(int32_t)0x80000003)
#define HKEY_CURRENT_CONFIG ((HKEY)(intptr_t)(int32_t)0x80000005)

// Access masks; accepted and not enforced:
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

// The key option, and RegCreateKeyExA's dispositions (created, or opened):
#define REG_OPTION_NON_VOLATILE 0x00000000
#define REG_CREATED_NEW_KEY 0x00000001
#define REG_OPENED_EXISTING_KEY 0x00000002

// Value types, stored with the value and given back as stored:
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_QWORD 11

// ---------------------------------------------------------------- message boxes
// MessageBoxA types: the button set, the icon and the default button, each
// with the mask that selects it:
#define MB_OK 0x00000000
#define MB_OKCANCEL 0x00000001
#define MB_ABORTRETRYIGNORE 0x00000002
#define MB_YESNOCANCEL 0x00000003
#define MB_YESNO 0x00000004
#define MB_RETRYCANCEL 0x00000005
#define MB_CANCELTRYCONTINUE 0x00000006
#define MB_TYPEMASK 0x0000000F
#define MB_ICONHAND 0x00000010
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONQUESTION 0x00000020
#define MB_ICONEXCLAMATION 0x00000030
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONASTERISK 0x00000040
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONMASK 0x000000F0
#define MB_DEFBUTTON1 0x00000000
#define MB_DEFBUTTON2 0x00000100
#define MB_DEFBUTTON3 0x00000200
#define MB_DEFMASK 0x00000F00

// The buttons MessageBoxA returns:
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDTRYAGAIN 10
#define IDCONTINUE 11

// ---------------------------------------------------------------- shell execution
// ShellExecuteA failures: no such file, no such folder, access denied, out of
// memory, no program for the operation or file:
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_NOASSOC 31

// ---------------------------------------------------------------- file dialogs
// The path room the framework's dialogs assume, in bytes with the terminator.
#define MAX_PATH 260

// OPENFILENAMEA::Flags and FlagsEx bits. The dialogs act on OVERWRITEPROMPT,
// ALLOWMULTISELECT, PATHMUSTEXIST and FILEMUSTEXIST; the rest are kept:
#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_EXPLORER 0x00080000
#define OFN_EX_NOPLACESBAR 0x00000001

// CommDlgExtendedError's codes: the choice does not fit lpstrFile, no dialog
// program could run (or no file buffer), the record's size is too small:
#define FNERR_BUFFERTOOSMALL 0x3003
#define CDERR_INITIALIZATION 0x0002
#define CDERR_STRUCTSIZE 0x0001

// A dialog hook procedure; kept, never called.
typedef UINT_PTR (*LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

// The open and save dialogs' record, at Windows' layout.
struct OPENFILENAMEA {
    // lStructSize (at least OPENFILENAME_SIZE_VERSION_400), the owner, the
    // module, the filter ("description\0pattern\0...\0\0"), the custom filter,
    // the chosen filter's index, the file buffer and its size (in: the proposed
    // name; out: the choice), the title buffer, the initial folder, the title,
    // the flags (OFN_...), the offsets of the name and extension in the
    // choice, the default extension (added to a saved name without one), and
    // the hook, template and reserved fields, kept and not read:
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
    void* pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
};
// The record size that 32-bit Windows programs write: the whole structure
// with the reserved fields and FlagsEx.
#define OPENFILENAME_SIZE_32BIT 88
// The smallest record size the dialogs accept.
#define OPENFILENAME_SIZE_VERSION_400 76

// ---------------------------------------------------------------- folder picker
// One item of an item list: its size in bytes with cb, then its data (here, the path).
struct SHITEMID {
    // The item's size, and the first byte of its data:
    USHORT cb;
    BYTE abID[1];
};
// An item list, as SHBrowseForFolderA returns it.
struct ITEMIDLIST {
    SHITEMID mkid;  // the first item
};
// Pointers to item lists:
typedef ITEMIDLIST* LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;
typedef ITEMIDLIST* PIDLIST_ABSOLUTE;

// A folder-picker callback; kept, never called.
typedef int (*BFFCALLBACK)(HWND, UINT, LPARAM, LPARAM);

// The folder picker's record.
struct BROWSEINFOA {
    // The owner, the root (ignored), a buffer of MAX_PATH bytes for the chosen
    // folder's name, the title, the flags (BIF_...), the callback and its
    // parameter (kept, not called) and the image index:
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;
    LPSTR pszDisplayName;
    LPCSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
};
// BROWSEINFOA::ulFlags; the picker always returns folders:
#define BIF_RETURNONLYFSDIRS 0x00000001
#define BIF_NEWDIALOGSTYLE 0x00000040

// COM results: success, failure, a bad argument:
#define S_OK 0L
#define E_FAIL ((HRESULT)0x80004005L)
#define E_INVALIDARG ((HRESULT)0x80070057L)

// The shell's task allocator, with the methods callers use on it.
struct IMalloc {
    // A single static allocator: counting does nothing and gives 1:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // Allocate, resize (null: allocate) and free blocks (null allocations
    // on failure), and a block's size (0 for null):
    virtual void* Alloc(SIZE_T size) = 0;
    virtual void* Realloc(void* block, SIZE_T size) = 0;
    virtual void Free(void* block) = 0;
    virtual SIZE_T GetSize(void* block) = 0;

protected:
    ~IMalloc() = default;
};
// A pointer to the allocator.
typedef IMalloc* LPMALLOC;

// ---------------------------------------------------------------- functions
// Registry

// The registry is a SQLite database per user (PlatformRegistryPath). Each call
// gives ERROR_SUCCESS or what failed.
//
// Opens an existing subkey (null or empty: key itself) into *result; options
// and access are ignored. ERROR_FILE_NOT_FOUND when it does not exist.
OV_PLATFORM_API LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, HKEY* result);
// Opens subKey, creating it and its missing parents; *disposition (when given)
// says which. ERROR_INVALID_PARAMETER for a null subKey or result.
OV_PLATFORM_API LSTATUS RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                                        REGSAM access, const SECURITY_ATTRIBUTES* security, HKEY* result,
                                        DWORD* disposition);
// Stores size bytes of data as the value (null or empty name: the default
// value) with its type. ERROR_INVALID_PARAMETER for null data with a size.
OV_PLATFORM_API LSTATUS RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                                       DWORD size);
// The value's type and bytes (*size in: the room in data, out: the value's
// size; null data asks only the size). ERROR_MORE_DATA when data is too small,
// ERROR_FILE_NOT_FOUND for no such value, ERROR_INVALID_PARAMETER for a
// non-null reserved or data without size.
OV_PLATFORM_API LSTATUS RegQueryValueExA(HKEY key, LPCSTR valueName, DWORD* reserved, DWORD* type, BYTE* data,
                                         DWORD* size);
// Deletes subKey with its values; ERROR_ACCESS_DENIED for a root or a key
// with subkeys, ERROR_INVALID_PARAMETER for a null subKey.
OV_PLATFORM_API LSTATUS RegDeleteKeyA(HKEY key, LPCSTR subKey);
// Deletes a value (null or empty name: the default one); ERROR_FILE_NOT_FOUND
// when it is not there.
OV_PLATFORM_API LSTATUS RegDeleteValueA(HKEY key, LPCSTR valueName);
// Closes an open key (roots need no closing); ERROR_INVALID_HANDLE for a key
// that is not open.
OV_PLATFORM_API LSTATUS RegCloseKey(HKEY key);

// Message boxes and the shell

// Shows an SDL message box with the type's buttons and icon and waits; the
// button pressed (IDOK...), the box's cancel button when it is closed, 0 when
// no box can be shown. owner is ignored.
OV_PLATFORM_API int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
// "open" (or null) starts an executable file with parameters, or opens a
// document, folder or address with the desktop's opener (xdg-open); "explore"
// opens a folder. Runs detached in directory (null: the current one). Above 32
// (as a number) on success, else an SE_ERR_ code. showCommand is ignored.
OV_PLATFORM_API HINSTANCE ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                        int showCommand);
// Copies the working directory into buffer; the length without the
// terminator, or the room needed (with it) when size is too small, or 0 on failure.
OV_PLATFORM_API DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);

// Dialogs

// The open / save dialog (a zenity or kdialog child process): TRUE with the
// choice in lpstrFile; FALSE when cancelled or failed (CommDlgExtendedError says
// which). A choice that breaks the flags' rules shows the dialog again.
OV_PLATFORM_API BOOL GetOpenFileNameA(OPENFILENAMEA* record);
// The save dialog, as GetOpenFileNameA.
OV_PLATFORM_API BOOL GetSaveFileNameA(OPENFILENAMEA* record);
// The last dialog's error code; 0 after success or a cancel.
OV_PLATFORM_API DWORD CommDlgExtendedError(void);
// The folder picker; an item list of the chosen folder (free it with
// CoTaskMemFree), null when cancelled, failed or info is null.
OV_PLATFORM_API PIDLIST_ABSOLUTE SHBrowseForFolderA(BROWSEINFOA* info);
// Copies the list's path into path (MAX_PATH bytes); FALSE for null arguments,
// an empty list or a path that does not fit.
OV_PLATFORM_API BOOL SHGetPathFromIDListA(LPCITEMIDLIST list, LPSTR path);
// The allocator of item lists; E_INVALIDARG for null.
OV_PLATFORM_API HRESULT SHGetMalloc(IMalloc** allocator);
// Frees a block of the allocator; null does nothing.
OV_PLATFORM_API void CoTaskMemFree(void* block);

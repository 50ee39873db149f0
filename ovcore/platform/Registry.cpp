// The Windows registry calls over the SQLite store. Key handles are records
// of ours holding the key's row id and the database generation they belong
// to; the predefined roots are the fixed Windows values. Handles are checked
// against the live set, so a closed or unknown handle is refused, not used.
#include "ovcore/platform/Registry.h"
#include "ovcore/platform/RegistryStore.h"

#include <unordered_set>

struct PlatformRegistryKey {
    int64_t id;
    uint64_t generation;
};

namespace {

std::unordered_set<HKEY>& LiveKeys() {
    static std::unordered_set<HKEY> keys;
    return keys;
}

int RootIndex(HKEY key) {
    const HKEY roots[RegistryStore::kRootCount] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS,
                                                   HKEY_CURRENT_CONFIG};
    for (int i = 0; i < RegistryStore::kRootCount; ++i) {
        if (key == roots[i]) return i;
    }
    return -1;
}

// The row id behind a handle, opening the store on first use.
LSTATUS Resolve(HKEY key, int64_t* id) {
    RegistryStore& store = RegistryStore::Instance();
    int root = RootIndex(key);
    if (root < 0 && !LiveKeys().count(key)) return ERROR_INVALID_HANDLE;
    LSTATUS status = store.Ready();
    if (status != ERROR_SUCCESS) return status;
    if (root >= 0) {
        *id = store.RootId(root);
        return ERROR_SUCCESS;
    }
    if (key->generation != store.Generation()) return ERROR_KEY_DELETED;
    *id = key->id;
    return ERROR_SUCCESS;
}

HKEY NewHandle(int64_t id) {
    HKEY key = new PlatformRegistryKey{id, RegistryStore::Instance().Generation()};
    LiveKeys().insert(key);
    return key;
}

std::string_view NameOf(LPCSTR name) { return name ? std::string_view(name) : std::string_view(); }

LSTATUS OpenOrCreate(HKEY key, LPCSTR subKey, bool create, HKEY* result, DWORD* disposition) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    int64_t parent = 0;
    LSTATUS status = Resolve(key, &parent);
    if (status != ERROR_SUCCESS) return status;
    int64_t id = 0;
    bool created = false;
    status = RegistryStore::Instance().WalkPath(parent, NameOf(subKey), create, &id, &created);
    if (status != ERROR_SUCCESS) return status;
    *result = NewHandle(id);
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

}  // namespace

void PlatformRegistryClose() { RegistryStore::Instance().Close(); }

std::string PlatformRegistryPath() { return RegistryStore::Path(); }

LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM, HKEY* result) {
    return OpenOrCreate(key, subKey, false, result, nullptr);
}

LSTATUS RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM, const SECURITY_ATTRIBUTES*, HKEY* result,
                        DWORD* disposition) {
    if (!subKey) return ERROR_INVALID_PARAMETER;
    return OpenOrCreate(key, subKey, true, result, disposition);
}

LSTATUS RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD size) {
    if (!data && size > 0) return ERROR_INVALID_PARAMETER;
    int64_t id = 0;
    LSTATUS status = Resolve(key, &id);
    if (status != ERROR_SUCCESS) return status;
    return RegistryStore::Instance().SetValue(id, NameOf(valueName), type, data, size);
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size) {
    if (reserved || (data && !size)) return ERROR_INVALID_PARAMETER;
    int64_t id = 0;
    LSTATUS status = Resolve(key, &id);
    if (status != ERROR_SUCCESS) return status;
    return RegistryStore::Instance().QueryValue(id, NameOf(valueName), type, data, size);
}

LSTATUS RegDeleteKeyA(HKEY key, LPCSTR subKey) {
    if (!subKey) return ERROR_INVALID_PARAMETER;
    int64_t parent = 0;
    LSTATUS status = Resolve(key, &parent);
    if (status != ERROR_SUCCESS) return status;
    RegistryStore& store = RegistryStore::Instance();
    int64_t id = 0;
    status = store.WalkPath(parent, subKey, false, &id, nullptr);
    if (status != ERROR_SUCCESS) return status;
    for (int i = 0; i < RegistryStore::kRootCount; ++i) {
        if (id == store.RootId(i)) return ERROR_ACCESS_DENIED;
    }
    return store.DeleteKey(id);
}

LSTATUS RegDeleteValueA(HKEY key, LPCSTR valueName) {
    int64_t id = 0;
    LSTATUS status = Resolve(key, &id);
    if (status != ERROR_SUCCESS) return status;
    return RegistryStore::Instance().DeleteValue(id, NameOf(valueName));
}

LSTATUS RegCloseKey(HKEY key) {
    if (RootIndex(key) >= 0) return ERROR_SUCCESS;
    if (!LiveKeys().erase(key)) return ERROR_INVALID_HANDLE;
    delete key;
    return ERROR_SUCCESS;
}

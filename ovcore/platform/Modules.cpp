// Module handles with a resource table each, icons and cursors.
#include "ovcore/platform/Platform.h"
#include "ovcore/platform/Diagnostics.h"

#include <strings.h>

#include <cstring>
#include <memory>
#include <vector>

struct PlatformResource {
    WORD type;
    WORD id;
    std::vector<unsigned char> bytes;
};

struct PlatformModule {
    std::vector<std::unique_ptr<PlatformResource>> resources;
};

struct PlatformIcon {
    HMODULE module;
    WORD id;
};

namespace {

constexpr WORD kProgramIconId = 1;
constexpr WORD kApplicationIconId = 32512;

PlatformModule g_program;
PlatformModule g_engine;
PlatformIcon g_programIcon{&g_program, kProgramIconId};
PlatformIcon g_applicationIcon{nullptr, kApplicationIconId};

bool IsModule(HMODULE module) { return module == &g_program || module == &g_engine; }

PlatformResource* Find(HMODULE module, WORD type, WORD id) {
    for (auto& resource : module->resources) {
        if (resource->type == type && resource->id == id) return resource.get();
    }
    return nullptr;
}

bool IsResource(const void* candidate) {
    for (HMODULE module : {&g_program, &g_engine}) {
        for (auto& resource : module->resources) {
            if (resource.get() == candidate) return true;
        }
    }
    return false;
}

}  // namespace

HMODULE GetModuleHandleA(LPCSTR moduleName) {
    if (!moduleName) return &g_program;
    if (strcasecmp(moduleName, "Orvo Core.dll") == 0 || strcasecmp(moduleName, "Orvo Core") == 0) {
        return &g_engine;
    }
    PlatformReportFailure("platform: no module named %s", moduleName);
    return nullptr;
}

bool PlatformAddResource(HMODULE module, WORD type, WORD id, const void* data, size_t size) {
    if (!IsModule(module) || (!data && size > 0) || Find(module, type, id)) return false;
    auto resource = std::make_unique<PlatformResource>();
    resource->type = type;
    resource->id = id;
    if (size > 0) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        resource->bytes.assign(bytes, bytes + size);
    }
    module->resources.push_back(std::move(resource));
    return true;
}

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    if (!module) module = &g_program;
    if (!IsModule(module) || !IS_INTRESOURCE(name) || !IS_INTRESOURCE(type)) {
        PlatformReportFailure("platform: resource refused: not a module or not a numbered resource");
        return nullptr;
    }
    PlatformResource* found = Find(module, LOWORD(type), LOWORD(name));
    if (!found) PlatformReportFailure("platform: no resource of type %u, id %u", LOWORD(type), LOWORD(name));
    return found;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) { return IsResource(resource) ? resource : nullptr; }

LPVOID LockResource(HGLOBAL resourceData) {
    if (!IsResource(resourceData)) return nullptr;
    auto* resource = static_cast<PlatformResource*>(resourceData);
    return resource->bytes.empty() ? nullptr : resource->bytes.data();
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    return IsResource(resource) ? static_cast<DWORD>(resource->bytes.size()) : 0;
}

BOOL FreeResource(HGLOBAL) {
    // Resources live as long as their module: nothing to free.
    return FALSE;
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (!IS_INTRESOURCE(name)) return nullptr;
    if (instance == &g_program && LOWORD(name) == kProgramIconId) return &g_programIcon;
    if (!instance && LOWORD(name) == kApplicationIconId) return &g_applicationIcon;
    return nullptr;
}

#include "ovcore/data/Package.h"

#include <cstring>
#include <vector>

namespace OvCore {

OV_PACKAGE::OV_PACKAGE(OV_PACKAGE&& other) noexcept { TakeFrom(other); }

OV_PACKAGE& OV_PACKAGE::operator=(OV_PACKAGE&& other) noexcept {
    if (this != &other) {
        Close();
        TakeFrom(other);
    }
    return *this;
}

void OV_PACKAGE::TakeFrom(OV_PACKAGE& other) {
    path = std::move(other.path);
    other.path.Clear();
    table = other.table;
    other.table = OvVirtualFileTable{0, nullptr};
}

bool OV_PACKAGE::Open(const char* packagePath) {
    Close();
    if (!packagePath || !OvVirtualFileInfoOpen(packagePath, &table)) return false;
    path.Assign(packagePath);
    return true;
}

void OV_PACKAGE::Close() {
    path.Clear();
    OvVirtualFileInfoClose(&table);
}

const char* OV_PACKAGE::EntryName(uint32_t index) const {
    return index < table.count ? table.entries[index].name : nullptr;
}

uint32_t OV_PACKAGE::EntrySize(uint32_t index) const { return index < table.count ? table.entries[index].size : 0; }

bool OV_PACKAGE::FindEntry(const char* name, uint32_t& index) const {
    if (!name) return false;
    for (uint32_t i = 0; i < table.count; ++i) {
        if (std::strcmp(table.entries[i].name, name) == 0) {
            index = i;
            return true;
        }
    }
    return false;
}

bool OV_PACKAGE::LoadEntry(OV_MEMORY_FILE& out, uint32_t index) const {
    if (path.Length() == 0 || index >= table.count) return false;
    OvHandle handle{1, 0};
    if (!OvVirtualFileLoad(&handle, path.Get(), &table.entries[index])) return false;
    OV_MEMORY_FILE loaded;
    loaded.growStep = out.growStep;
    bool ok = loaded.Allocate(OvVirtualFileSize(handle));
    if (ok) {
        loaded.size = loaded.capacity;
        ok = OvVirtualFileGetData(handle, loaded.data, loaded.size) != 0;
    }
    OvVirtualFileFree(handle);
    if (ok) out = std::move(loaded);
    return ok;
}

bool OV_PACKAGE::SavePackage(const char* packagePath, const OV_PACKAGE_FILE* files, uint32_t count) {
    if (!packagePath || !files || count == 0) return false;
    std::vector<OvVirtualFileSource> sources(count);
    for (uint32_t i = 0; i < count; ++i) {
        const OV_MEMORY_FILE& file = files[i].file;
        if (!OvVirtualFileMakeFile(&sources[i], files[i].name.Get(), file.Data(), file.Size())) return false;
    }
    return OvVirtualFileSave(packagePath, sources.data(), count, 0) != 0;
}

}  // namespace OvCore

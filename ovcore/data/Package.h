// OV_PACKAGE: packages of named files in the engine's virtual-file format.
#pragma once

#include "ovcore/data/MemoryFile.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/String.h"

#include <cstdint>

namespace OvCore {

// One named file for OV_PACKAGE::SavePackage.
struct OV_PACKAGE_FILE {
    OV_STRING name;  // the file's name in the package
    OV_MEMORY_FILE file;  // its content: size bytes
};

// A package of named files in the engine's virtual-file format. An open
// package owns the engine's entry table, so it cannot be copied, only moved;
// it closes itself when destroyed.
class OV_PACKAGE {
public:
    OV_STRING path;  // the open package's path; empty when closed
    OvVirtualFileTable table{0, nullptr};  // the engine's entry table; count 0 when closed

    OV_PACKAGE() = default;
    OV_PACKAGE(const OV_PACKAGE&) = delete;
    OV_PACKAGE& operator=(const OV_PACKAGE&) = delete;
    // Moving hands the open package over; the source is closed:
    OV_PACKAGE(OV_PACKAGE&& other) noexcept;
    OV_PACKAGE& operator=(OV_PACKAGE&& other) noexcept;
    ~OV_PACKAGE() { Close(); }

    // Closes what was open first; on failure the package stays closed.
    bool Open(const char* packagePath);
    void Close();  // frees the entry table; the package is closed

    uint32_t Count() const { return table.count; }  // the number of entries
    const char* EntryName(uint32_t index) const;  // an entry's name; null for an index out of range
    uint32_t EntrySize(uint32_t index) const;  // an entry's size in bytes; 0 for an index out of range
    // The index of the first entry called name; false when there is none.
    bool FindEntry(const char* name, uint32_t& index) const;
    // On failure out is left as it was.
    bool LoadEntry(OV_MEMORY_FILE& out, uint32_t index) const;

    // Writes the files' contents (size bytes each) under their names.
    static bool SavePackage(const char* packagePath, const OV_PACKAGE_FILE* files, uint32_t count);

private:
    void TakeFrom(OV_PACKAGE& other);
};

}  // namespace OvCore

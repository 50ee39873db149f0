// Opens arbitrary bytes as a package, then lists and loads every entry.
#include "ovcore/data/Package.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "ScratchFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const char* path = ScratchFile::Write("ov_fuzz_package", bytes, size);
    if (!path) return 0;

    OvCore::OV_PACKAGE package;
    if (!package.Open(path)) return 0;
    OvCore::OV_MEMORY_FILE entry;
    for (uint32_t i = 0; i < package.Count(); ++i) {
        const char* name = package.EntryName(i);
        uint32_t found = 0;
        if (!name || !package.FindEntry(name, found) || found > i) std::abort();
        if (package.LoadEntry(entry, i) && entry.Size() != package.EntrySize(i)) std::abort();
    }
    return 0;
}

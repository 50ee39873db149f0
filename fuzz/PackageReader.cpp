// Opens arbitrary bytes as a package, then lists and loads every entry.
#include "data/Package.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace {

char g_scratch[] = "/tmp/ov_fuzz_package_XXXXXX";

// The file that each input is written to, made once and removed at exit.
const char* ScratchPath() {
    static const bool made = [] {
        const int fd = mkstemp(g_scratch);
        if (fd < 0) return false;
        close(fd);
        std::atexit([] { unlink(g_scratch); });
        return true;
    }();
    return made ? g_scratch : nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const char* path = ScratchPath();
    if (!path) return 0;
    FILE* file = std::fopen(path, "wb");
    if (!file) return 0;
    const bool written = std::fwrite(bytes, 1, size, file) == size;
    std::fclose(file);
    if (!written) return 0;

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

// markup_save: reads a markup file and writes it back in the saved form
// (tabs, "\r\n" line ends, " />" for empty elements).
//
//   markup_save <in> [out]    writes to out, or to standard output
//
// What does not survive the trip (line breaks inside texts, double quotes
// inside attribute values) shows in the result; a GUI author reads it to
// see the tree the loaders see. Lines are indented by depth down to a fixed
// number of tabs. Status 1 when the file cannot be read, holds no elements
// or cannot be saved (nested too deeply; the reason is printed), 2 for
// wrong arguments.
#include "ovcore/data/Buffer.h"
#include "ovcore/data/Document.h"
#include "ovcore/data/MemoryFile.h"
#include "ovcore/platform/Diagnostics.h"

#include <cstdio>

using namespace OvCore;

namespace {

bool WriteAll(const OV_BUFFER& saved, const char* path) {
    FILE* out = path ? std::fopen(path, "wb") : stdout;
    if (!out) return false;
    const bool written = std::fwrite(saved.data, 1, saved.capacity, out) == saved.capacity;
    const bool closed = path ? std::fclose(out) == 0 : std::fflush(out) == 0;
    return written && closed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <markup file> [output file]\n", argv[0]);
        return 2;
    }
    OV_MEMORY_FILE file;
    if (!file.LoadFromFile(argv[1])) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    OV_DOCUMENT document;
    OV_BUFFER saved;
    if (!document.Parse(reinterpret_cast<const char*>(file.Data()), file.Size(), " \t\n\r", true) ||
        !document.Root()->firstChild) {
        std::fprintf(stderr, "%s: %s holds no markup\n", argv[0], argv[1]);
        return 1;
    }
    if (!document.Save(saved)) {
        std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], PlatformLastFailure());
        return 1;
    }
    if (!WriteAll(saved, argc == 3 ? argv[2] : nullptr)) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argc == 3 ? argv[2] : "the output");
        return 1;
    }
    return 0;
}

#include "ovcore/audio/Id3Tag.h"

#include <cstdio>
#include <cstring>

#include <sys/types.h>

namespace OvCore {

namespace {

constexpr off_t kBlockSize = 128;

bool SeekToBlock(FILE* file) {
    if (fseeko(file, 0, SEEK_END) != 0) return false;
    const off_t size = ftello(file);
    return size >= kBlockSize && fseeko(file, size - kBlockSize, SEEK_SET) == 0;
}

bool ReadTag(FILE* file, OV_ID3_TAG* tag) {
    char mark[4] = {};
    if (!SeekToBlock(file) || std::fread(mark, 1, 3, file) != 3 || std::strcmp(mark, "TAG") != 0) return false;
    // A short read leaves the rest of the record as it was.
    std::fread(tag, 1, sizeof(OV_ID3_TAG), file);
    return true;
}

}  // namespace

bool ReadId3Tag(const char* path, OV_ID3_TAG* tag) {
    if (!path || !tag) return false;
    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    const bool found = ReadTag(file, tag);
    std::fclose(file);
    return found;
}

}  // namespace OvCore

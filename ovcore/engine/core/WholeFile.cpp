#include "ovcore/engine/core/WholeFile.h"

#include <cstdio>
#include <memory>

namespace ov {

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

}  // namespace

bool ReadWholeFile(const char* path, std::string& out, size_t limit) {
    if (!path) return false;
    File file(std::fopen(path, "rb"));
    if (!file) return false;
    std::string bytes;
    char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof(chunk), file.get())) > 0) {
        if (bytes.size() + got > limit) return false;
        bytes.append(chunk, got);
    }
    if (std::ferror(file.get())) return false;
    out = std::move(bytes);
    return true;
}

bool WriteWholeFile(const char* path, const void* data, size_t size) {
    if (!path) return false;
    const std::string temporary = std::string(path) + ".part";
    File file(std::fopen(temporary.c_str(), "wb"));
    if (!file) return false;
    bool written = std::fwrite(data, 1, size, file.get()) == size;
    written = std::fflush(file.get()) == 0 && written;
    file.reset();
    if (written && std::rename(temporary.c_str(), path) == 0) return true;
    std::remove(temporary.c_str());
    return false;
}

}  // namespace ov

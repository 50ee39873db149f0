// A temporary file for fuzz targets whose code under test reads from disk:
// made once per process, rewritten with each input, removed at exit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

class ScratchFile {
public:
    // The path of the file now holding exactly `bytes`, or null when the
    // file could not be made or written.
    static const char* Write(const char* prefix, const uint8_t* bytes, size_t size) {
        static const bool made = Make(prefix);
        if (!made) return nullptr;
        FILE* file = std::fopen(Path().c_str(), "wb");
        if (!file) return nullptr;
        const bool written = std::fwrite(bytes, 1, size, file) == size;
        return std::fclose(file) == 0 && written ? Path().c_str() : nullptr;
    }

private:
    static std::string& Path() {
        static std::string path;
        return path;
    }

    static bool Make(const char* prefix) {
        const char* folder = std::getenv("TMPDIR");
        std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/" + prefix + "_XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) return false;
        close(fd);
        Path() = pattern;
        std::atexit([] { unlink(Path().c_str()); });
        return true;
    }
};

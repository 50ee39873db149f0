// Test support: a fresh folder under /tmp for one test, removed with
// everything in it, and a memory file's content as a string.
#pragma once

#include "ovcore/data/MemoryFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace OvTest {

class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/ov_test_XXXXXX";
        const char* made = mkdtemp(pattern);
        root = made ? made : "";
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!root.empty()) std::filesystem::remove_all(root, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool IsValid() const { return !root.empty(); }
    const std::string& Root() const { return root; }
    std::string Path(const std::string& name) const { return root + "/" + name; }

    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string root;
};

inline std::string ContentOf(const OvCore::OV_MEMORY_FILE& file) {
    return std::string(reinterpret_cast<const char*>(file.Data()), file.Size());
}

}  // namespace OvTest

// Test support: a fresh folder under /tmp for one test, removed with
// everything in it, and a memory file's content as a string. With the
// environment variable OV_KEEP set, every such folder is kept instead and
// named on standard error, for looking at what a failing test left.
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
    // Makes /tmp/<prefix>_XXXXXX (the X's made unique); IsValid() tells
    // whether that worked.
    explicit TempFolder(const std::string& prefix = "ov_test") {
        std::string pattern = "/tmp/" + prefix + "_XXXXXX";
        const char* made = mkdtemp(pattern.data());
        root = made ? made : "";
    }
    ~TempFolder() {
        if (root.empty()) return;
        if (std::getenv("OV_KEEP")) {
            std::fprintf(stderr, "kept %s\n", root.c_str());
            return;
        }
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
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

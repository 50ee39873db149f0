// Paths of the committed game data, whole-file reading, and PNG decoding.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace OvTest {

std::filesystem::path DataPath(const std::string& relative);
std::vector<unsigned char> ReadBytes(const std::filesystem::path& path);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // empty when the bytes do not decode

    uint8_t Alpha(int x, int y) const { return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
    const uint8_t* Pixel(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

Image DecodePng(const std::vector<unsigned char>& bytes);

}  // namespace OvTest

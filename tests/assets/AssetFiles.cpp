#include "tests/assets/AssetFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

namespace OvTest {

std::filesystem::path DataPath(const std::string& relative) {
    return std::filesystem::path(OV_GAME_DATA_DIR) / relative;
}

std::vector<unsigned char> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Image DecodePng(const std::vector<unsigned char>& bytes) {
    Image image;
    if (bytes.empty()) return image;
    // Only real PNG files count: the game's texture loader relies on the format.
    static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() < 8 || !std::equal(kSignature, kSignature + 8, bytes.begin())) return image;
    int channels = 0;
    stbi_uc* pixels =
        stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &image.width, &image.height, &channels, 4);
    if (!pixels) return Image{};
    image.rgba.assign(pixels, pixels + static_cast<size_t>(image.width) * image.height * 4);
    stbi_image_free(pixels);
    return image;
}

}  // namespace OvTest

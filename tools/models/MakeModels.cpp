// Writes the soft-body example's data: a jelly square, a rope of bones and a
// row of pinned points as "envboxmodel2d" files, and their two textures.
// Usage: ov_make_models <folder>
#include "ovcore/world/ModelFile.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using OvCore::OV_MODEL_FILE;

namespace {

constexpr int kJellySide = 5;  // substances a side
constexpr double kJellyCell = 16;  // pixels between them
constexpr int kRopeBeads = 12;
constexpr double kRopeLink = 14;
constexpr int kFloorPoints = 21;
constexpr double kFloorSpacing = 14;

// A grid of springs: along rows, columns and both diagonals of every cell,
// two textured triangles a cell covering the whole texture.
OV_MODEL_FILE Jelly() {
    OV_MODEL_FILE jelly;
    auto index = [](int row, int column) { return row * kJellySide + column; };
    for (int row = 0; row < kJellySide; ++row)
        for (int column = 0; column < kJellySide; ++column)
            jelly.substances.push_back({kJellyCell * column, kJellyCell * row, 0.3, 6, 1});
    const double step = 1.0 / (kJellySide - 1);
    for (int row = 0; row + 1 < kJellySide; ++row)
        for (int column = 0; column + 1 < kJellySide; ++column) {
            const int a = index(row, column), b = index(row, column + 1), c = index(row + 1, column + 1),
                      d = index(row + 1, column);
            const double u0 = step * column, u1 = step * (column + 1), v0 = step * row, v1 = step * (row + 1);
            jelly.surfaces.push_back({{a, b, c}, {u0, v0, u1, v0, u1, v1}, "jelly"});
            jelly.surfaces.push_back({{a, c, d}, {u0, v0, u1, v1, u0, v1}, "jelly"});
            jelly.forces.push_back({a, c, 4});
            jelly.forces.push_back({b, d, 4});
        }
    for (int row = 0; row < kJellySide; ++row)
        for (int column = 0; column < kJellySide; ++column) {
            if (column + 1 < kJellySide) jelly.forces.push_back({index(row, column), index(row, column + 1), 6});
            if (row + 1 < kJellySide) jelly.forces.push_back({index(row, column), index(row + 1, column), 6});
        }
    return jelly;
}

// Beads in a horizontal line, the first pinned (mass 0); a stiff link and a
// stretching bone between each pair.
OV_MODEL_FILE Rope() {
    OV_MODEL_FILE rope;
    for (int i = 0; i < kRopeBeads; ++i) rope.substances.push_back({kRopeLink * i, 0, i == 0 ? 0.0 : 0.2, 5, 1});
    for (int i = 0; i + 1 < kRopeBeads; ++i) {
        rope.forces.push_back({i, i + 1, 0});
        rope.bones.push_back({"bone", 0, 4, kRopeLink, 8, i, false, true});
    }
    return rope;
}

// Pinned solid points in a row: what the jelly lands on.
OV_MODEL_FILE Floor() {
    OV_MODEL_FILE floor;
    for (int i = 0; i < kFloorPoints; ++i) floor.substances.push_back({kFloorSpacing * i, 0, 0, 7, 1});
    return floor;
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

// A 32 x 32 image: one colour with a darker grid every 8 pixels.
bool WriteTexture(const std::string& path, unsigned char r, unsigned char g, unsigned char b) {
    constexpr int kSize = 32;
    std::vector<unsigned char> pixels(kSize * kSize * 4);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const bool line = x % 8 == 0 || y % 8 == 0;
            unsigned char* p = &pixels[(y * kSize + x) * 4];
            p[0] = line ? r / 2 : r, p[1] = line ? g / 2 : g, p[2] = line ? b / 2 : b, p[3] = 255;
        }
    return stbi_write_png(path.c_str(), kSize, kSize, 4, pixels.data(), kSize * 4) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const bool written = WriteText(folder + "/jelly.envboxmodel2d", Jelly().Write()) &&
                         WriteText(folder + "/rope.envboxmodel2d", Rope().Write()) &&
                         WriteText(folder + "/floor.envboxmodel2d", Floor().Write()) &&
                         WriteTexture(folder + "/jelly.ovt", 60, 200, 90) &&
                         WriteTexture(folder + "/bone.ovt", 230, 150, 40);
    if (!written) std::fprintf(stderr, "could not write into %s\n", folder.c_str());
    return written ? 0 : 1;
}

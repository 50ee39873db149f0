// Test support: a frame a program saved as PNG (OV_SAVE_FRAME), read back as
// RGBA bytes, with counts of the pixels of a rectangle that pass a colour
// test.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace OvTest {

class SavedFrame {
public:
    // Reads the PNG at `path`; a file that is missing or not a PNG leaves the
    // frame empty (Width() 0, Valid() false).
    explicit SavedFrame(const std::string& path);

    bool Valid() const { return !rgba_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The four bytes (red, green, blue, alpha) of the pixel at column x, row y
    // from the top; both must lie inside the frame.
    const uint8_t* At(int x, int y) const { return &rgba_[(static_cast<size_t>(y) * width_ + x) * 4]; }

    // How many pixels of the rectangle [x0, x1) x [y0, y1), cut to the frame,
    // pass test(const uint8_t* rgba).
    template <class Test>
    int Count(int x0, int y0, int x1, int y1, Test test) const {
        int count = 0;
        for (int y = std::max(0, y0); y < std::min(height_, y1); ++y)
            for (int x = std::max(0, x0); x < std::min(width_, x1); ++x) count += test(At(x, y)) ? 1 : 0;
        return count;
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> rgba_;
};

}  // namespace OvTest

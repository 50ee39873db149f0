// An RGBA image, 8 bits a channel, rows top to bottom, written as PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
};

class Canvas {
public:
    Canvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const;

    // Transparent outside the canvas; writes outside are dropped.
    Rgba Get(int x, int y) const;
    void Set(int x, int y, Rgba colour);
    // Source-over compositing of `colour` scaled by coverage (0..1).
    void Blend(int x, int y, Rgba colour, double coverage);
    void FillRect(int x, int y, int w, int h, Rgba colour);
    // Paints every transparent pixel that touches an opaque one (4-neighbours).
    void Outline(Rgba colour);

    const std::vector<uint8_t>& Pixels() const { return pixels_; }
    bool SavePng(const std::string& path) const;

private:
    int width_;
    int height_;
    std::vector<uint8_t> pixels_;
};

// Linear mix of two colours, t in 0..1.
Rgba Mix(Rgba from, Rgba to, double t);

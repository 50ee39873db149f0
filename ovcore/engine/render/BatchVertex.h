// One vertex of the streaming batch: already transformed by the model view,
// 28 bytes. unit is the texture unit to sample, or kUntextured.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ov {

struct BatchVertex {
    float x, y, z;
    float s, t;
    uint8_t rgba[4];
    uint8_t unit;
    uint8_t padding[3];
};
static_assert(sizeof(BatchVertex) == 28);

constexpr uint8_t kUntextured = 255;

// What a batch draws its vertices as; pending vertices share one class.
enum class PrimitiveClass { None, Triangles, Lines, Points };

// The colour, unit and padding bytes that end a vertex, as one word: the
// colour in the low four bytes, the unit in the fifth.
constexpr size_t kStyleWordOffset = offsetof(BatchVertex, rgba);
static_assert(sizeof(BatchVertex) - kStyleWordOffset == sizeof(uint64_t));

inline uint64_t StyleWordAt(const BatchVertex& vertex) {
    uint64_t word;
    std::memcpy(&word, reinterpret_cast<const unsigned char*>(&vertex) + kStyleWordOffset, sizeof(word));
    return word;
}

static_assert(std::endian::native == std::endian::little, "style words are read as little-endian");

inline uint64_t StyleWordOf(const uint8_t* rgba, uint8_t unit) {
    uint32_t colour;
    std::memcpy(&colour, rgba, sizeof(colour));
    return uint64_t{colour} | uint64_t{unit} << 32;
}

// What the vertices of a batch share, noted as they are written, so that a
// flush need not read them back from memory GL reads: the first vertex's
// style word and depth, the bits in which any other differs, and the units
// that appear (one bit each, bit 31 for untextured).
struct VertexSummary {
    uint64_t first = 0;
    uint64_t differing = 0;
    uint32_t firstDepth = 0;
    uint32_t depthsDiffering = 0;
    uint32_t units = 0;
    bool noted = false;

    void Note(uint64_t word, float depth) {
        const uint32_t depthBits = std::bit_cast<uint32_t>(depth);
        if (!noted) {
            first = word;
            firstDepth = depthBits;
            noted = true;
        }
        differing |= word ^ first;
        depthsDiffering |= depthBits ^ firstDepth;
        units |= 1u << ((word >> 32) & 31);
    }
    bool SameColour() const { return (differing & 0xFFFFFFFFu) == 0; }
    uint32_t FirstColour() const { return static_cast<uint32_t>(first); }
    bool AnyUntextured() const { return (units & (1u << (kUntextured & 31))) != 0; }
    uint32_t TexturedUnits() const { return units & ~(1u << (kUntextured & 31)); }
    // Every vertex lies at one depth, bit for bit.
    bool OneDepth() const { return depthsDiffering == 0; }
    float Depth() const { return std::bit_cast<float>(firstDepth); }
};

}  // namespace ov

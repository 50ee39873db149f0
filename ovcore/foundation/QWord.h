// OV_QWORD: a 64-bit value as two 32-bit words, stored low word first.
// Carries two-part event parameters: a key code as (code, 0), a pointer
// position as (x, y).
#pragma once

#include <compare>
#include <cstdint>

namespace OvCore {

// The two-word value; see the file description.
struct OV_QWORD {
    uint32_t low = 0;  // bits 0..31
    uint32_t high = 0;  // bits 32..63

    OV_QWORD() = default;  // 0
    // The first argument is the high word.
    OV_QWORD(uint32_t highWord, uint32_t lowWord) : low(lowWord), high(highWord) {}

    bool operator==(const OV_QWORD& other) const = default;  // both words equal
    // Unsigned comparison, high words first; the low words decide only on a tie.
    std::strong_ordering operator<=>(const OV_QWORD& other) const {
        if (high != other.high) return high <=> other.high;
        return low <=> other.low;
    }

    // Bitwise, on both words:
    OV_QWORD operator|(const OV_QWORD& other) const { return {high | other.high, low | other.low}; }
    OV_QWORD operator&(const OV_QWORD& other) const { return {high & other.high, low & other.low}; }
    OV_QWORD operator^(const OV_QWORD& other) const { return {high ^ other.high, low ^ other.low}; }
    OV_QWORD& operator|=(const OV_QWORD& other) { return *this = *this | other; }
    OV_QWORD& operator&=(const OV_QWORD& other) { return *this = *this & other; }
    OV_QWORD& operator^=(const OV_QWORD& other) { return *this = *this ^ other; }
};
static_assert(sizeof(OV_QWORD) == 8, "OV_QWORD is two 32-bit words");

}  // namespace OvCore

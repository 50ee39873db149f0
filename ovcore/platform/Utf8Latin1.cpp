#include "ovcore/platform/Utf8Latin1.h"

#include <cstdint>

namespace {

// Length of the sequence a lead byte starts; 0 for a byte that cannot lead.
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

constexpr uint32_t kMinimumForLength[] = {0, 0, 0x80, 0x800, 0x10000};

}  // namespace

size_t Utf8ToLatin1(const char* text, size_t length, unsigned char* out, size_t capacity) {
    if (!text || !out) return 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    size_t end = 0;
    while (end < length && bytes[end] != 0) ++end;
    size_t written = 0;
    size_t i = 0;
    while (i < end && written < capacity) {
        size_t sequence = SequenceLength(bytes[i]);
        if (sequence == 0 || i + sequence > end) {
            ++i;
            continue;
        }
        uint32_t codePoint = sequence == 1 ? bytes[i] : bytes[i] & (0x7Fu >> sequence);
        size_t k = 1;
        for (; k < sequence && (bytes[i + k] & 0xC0) == 0x80; ++k) {
            codePoint = (codePoint << 6) | (bytes[i + k] & 0x3Fu);
        }
        if (k < sequence) {  // a continuation byte is missing: resume at the intruder
            i += k;
            continue;
        }
        i += sequence;
        bool wellFormed = codePoint >= kMinimumForLength[sequence] && codePoint <= 0x10FFFF &&
                          (codePoint < 0xD800 || codePoint > 0xDFFF);
        if (wellFormed && codePoint <= 0xFF) out[written++] = static_cast<unsigned char>(codePoint);
    }
    return written;
}

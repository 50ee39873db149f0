// OV_STRING's typed-value notation: a number or hex digits followed by one
// type letter, parsed into the bytes of that type.
#include "ovcore/foundation/String.h"

#include "ovcore/foundation/HexDigit.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace OvCore {

namespace {

size_t LetterSize(char letter, size_t digits) {
    switch (letter) {
    case 'b':
    case 'c': return 1;
    case 's':
    case 'w': return 2;
    case 'd':
    case 'h':
    case 'i': return 4;
    case 'r': return 8;
    case 'f': return 16;
    case 'v': return 32;
    case 'x': return (digits + 1) / 2;
    default: return 0;
    }
}

template <typename T>
void Store(void* out, size_t slot, T value) {
    std::memcpy(static_cast<unsigned char*>(out) + slot * sizeof(T), &value, sizeof(T));
}

// Hex digits from the last towards the first, two per byte, low nibble first.
void ParseHexBytes(const char* digits, size_t count, void* out) {
    unsigned char* bytes = static_cast<unsigned char*>(out);
    size_t index = 0;
    bool lowNibble = true;
    for (size_t k = count; k-- > 0;) {
        int value = HexValue(digits[k]);
        if (value < 0) value = 0;
        if (lowNibble) {
            bytes[index] = static_cast<unsigned char>(value);
        } else {
            bytes[index] = static_cast<unsigned char>(bytes[index] | (value << 4));
            ++index;
        }
        lowNibble = !lowNibble;
    }
}

template <typename T>
void ParseColonList(const OV_STRING& number, void* out) {
    OV_STRING token;
    size_t position = 0;
    for (size_t slot = 0; slot < 4; ++slot) {
        position = number.Tokenize(token, ":", position);
        Store(out, slot, static_cast<T>(std::strtod(token.Get(), nullptr)));
        if (position == 0) break;
    }
}

void ParseNumber(char letter, const OV_STRING& number, void* out) {
    const char* text = number.Get();
    switch (letter) {
    case 'c': Store(out, 0, static_cast<int8_t>(std::strtol(text, nullptr, 0))); break;
    case 'b': Store(out, 0, static_cast<uint8_t>(std::strtoul(text, nullptr, 0))); break;
    case 's': Store(out, 0, static_cast<int16_t>(std::strtol(text, nullptr, 0))); break;
    case 'w': Store(out, 0, static_cast<uint16_t>(std::strtoul(text, nullptr, 0))); break;
    case 'i': Store(out, 0, static_cast<int32_t>(std::strtol(text, nullptr, 0))); break;
    case 'd': Store(out, 0, static_cast<uint32_t>(std::strtoul(text, nullptr, 0))); break;
    case 'h': Store(out, 0, static_cast<float>(std::strtod(text, nullptr))); break;
    case 'r': Store(out, 0, std::strtod(text, nullptr)); break;
    case 'f': ParseColonList<float>(number, out); break;
    case 'v': ParseColonList<double>(number, out); break;
    default: break;
    }
}

}  // namespace

char OV_STRING::TypeLetter() const {
    const size_t length = Length();
    if (length < 2) return 0;
    const char letter = data[length - 1];
    return LetterSize(letter, 1) > 0 ? letter : 0;
}

size_t OV_STRING::TypeSize(char forcedLetter) const {
    const size_t length = Length();
    if (forcedLetter == 0) {
        return length < 2 ? 0 : LetterSize(data[length - 1], length - 1);
    }
    return length == 0 ? 0 : LetterSize(forcedLetter, length);
}

bool OV_STRING::ParseTyped(void* out, char forcedLetter) const {
    const size_t length = Length();
    if (!out || TypeSize(forcedLetter) == 0) return false;
    const char letter = forcedLetter ? forcedLetter : data[length - 1];
    const size_t digits = forcedLetter ? length : length - 1;
    if (letter == 'x') {
        ParseHexBytes(data, digits, out);
        return true;
    }
    OV_STRING number;
    number.Assign(data, digits);
    ParseNumber(letter, number, out);
    return true;
}

}  // namespace OvCore

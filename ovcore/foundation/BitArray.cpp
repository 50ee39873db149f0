#include "ovcore/foundation/BitArray.h"

namespace OvCore {

void BitSet(void* buffer, unsigned n) {
    static_cast<unsigned char*>(buffer)[n / 8] |= static_cast<unsigned char>(1u << (n % 8));
}

void BitClear(void* buffer, unsigned n) {
    static_cast<unsigned char*>(buffer)[n / 8] &= static_cast<unsigned char>(~(1u << (n % 8)));
}

bool BitTest(const void* buffer, unsigned n) {
    return (static_cast<const unsigned char*>(buffer)[n / 8] & (1u << (n % 8))) != 0;
}

}  // namespace OvCore

// Bit arrays over any byte buffer: bit n lives in byte n / 8 at bit n % 8,
// least significant bit first. The caller owns the buffer and its size.
#pragma once

namespace OvCore {

// Sets / clears bit n; the buffer must hold at least n / 8 + 1 bytes:
void BitSet(void* buffer, unsigned n);
void BitClear(void* buffer, unsigned n);
// Exactly true or false, never the mask.
bool BitTest(const void* buffer, unsigned n);

}  // namespace OvCore

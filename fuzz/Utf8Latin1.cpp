// Converts arbitrary bytes as typed UTF-8 text to Latin-1 into an output
// of exactly the capacity the first byte picks; checks the count against
// the capacity and the input, and that plain ASCII comes through unchanged.
#include "ovcore/platform/Utf8Latin1.h"

#include "FuzzInput.h"

#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size < 1) return 0;
    const size_t capacity = bytes[0] % 64;
    const auto* text = reinterpret_cast<const char*>(bytes + 1);
    const size_t length = size - 1;
    std::unique_ptr<unsigned char[]> out(new unsigned char[capacity + 1]);
    const size_t written = Utf8ToLatin1(text, length, out.get(), capacity);
    FuzzCheck(written <= capacity && written <= length);

    size_t ascii = 0;
    while (ascii < length && text[ascii] > 0) ++ascii;
    if (ascii == length || text[ascii] == 0) {
        FuzzCheck(written == (ascii < capacity ? ascii : capacity));
        FuzzCheck(std::memcmp(out.get(), text, written) == 0);
    }
    return 0;
}

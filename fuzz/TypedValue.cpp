#include "ovcore/foundation/String.h"
#include "ovcore/foundation/Variant.h"
#include "fuzz/FuzzInput.h"

#include <cstdlib>

using OvCore::OV_STRING;
using OvCore::OV_VARIANT;

namespace {

// Parses into a heap block of exactly TypeSize bytes, so any write beyond it
// is caught by the address sanitizer.
void ParseIntoExactBuffer(const OV_STRING& text, char forcedLetter) {
    const size_t size = text.TypeSize(forcedLetter);
    void* buffer = std::malloc(size > 0 ? size : 1);
    const bool parsed = text.ParseTyped(buffer, forcedLetter);
    FuzzCheck(parsed == (size > 0));
    std::free(buffer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const OV_STRING text(input.RestText().c_str());

    FuzzCheck((text.TypeLetter() != 0) == (text.TypeSize() > 0));
    ParseIntoExactBuffer(text, 0);
    for (const char letter : {'b', 'c', 'd', 'f', 'h', 'i', 'r', 's', 'v', 'w', 'x', 'q'}) {
        ParseIntoExactBuffer(text, letter);
    }
    FuzzCheck(!text.ParseTyped(nullptr, 'r'));

    const OV_VARIANT variant(text);
    (void)variant.GetNumber();
    return 0;
}

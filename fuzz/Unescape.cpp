#include "ovcore/foundation/String.h"
#include "fuzz/FuzzInput.h"

#include <cstring>

using OvCore::OV_STRING;

// Decoding never lengthens a text, and a text without backslashes is unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::string original = input.RestText();
    OV_STRING text(original.c_str());
    text.Unescape();
    FuzzCheck(text.Length() <= original.size());
    if (original.find('\\') == std::string::npos) {
        FuzzCheck(text == original.c_str());
    }
    OV_STRING again(text);
    again.Unescape();
    FuzzCheck(again.Length() <= text.Length());
    return 0;
}

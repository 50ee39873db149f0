#include "ovcore/foundation/String.h"
#include "fuzz/FuzzInput.h"

#include <string>

using OvCore::OV_STRING;

namespace {

// Straightforward reference: non-overlapping, left to right.
std::string Replaced(const std::string& text, const std::string& needle, const std::string& replacement,
                     unsigned* count) {
    std::string result;
    *count = 0;
    size_t from = 0;
    for (size_t at; (at = text.find(needle, from)) != std::string::npos; from = at + needle.size()) {
        result.append(text, from, at - from).append(replacement);
        ++*count;
    }
    return result.append(text, from, std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::string needle = input.TakeWord(6);
    const std::string replacement = input.TakeWord(12);
    const std::string original = input.RestText();
    const OV_STRING text(original.c_str());

    OV_STRING out;
    const unsigned count = text.ReplaceAll(out, needle.c_str(), replacement.c_str());
    if (needle.empty()) {
        FuzzCheck(count == 0 && out == text);
    } else {
        unsigned expectedCount = 0;
        const std::string expected = Replaced(original, needle, replacement, &expectedCount);
        FuzzCheck(count == expectedCount && out == expected.c_str());
    }
    FuzzCheck(text == original.c_str());

    OV_STRING copy(text);
    if (!needle.empty() && !replacement.empty()) {
        copy.ReplaceChar(needle[0], replacement[0]);
        FuzzCheck(copy.Length() == text.Length());
    }
    return 0;
}

#include "ovcore/foundation/String.h"
#include "fuzz/FuzzInput.h"

#include <string>

using OvCore::OV_STRING;

// Walking a text token by token must end, and the tokens joined with the
// separator must give the walked text back.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::string separator = input.TakeWord(6);
    const size_t start = input.TakeByte();
    const OV_STRING text(input.RestText().c_str());

    OV_STRING token;
    std::string joined;
    size_t position = start;
    size_t steps = 0;
    for (;;) {
        const size_t next = text.Tokenize(token, separator.c_str(), position);
        joined += token.Get();
        FuzzCheck(++steps <= text.Length() + 2);
        if (next == 0) break;
        FuzzCheck(next > position && next <= text.Length());
        joined += separator;
        position = next;
    }
    if (start <= text.Length()) {
        FuzzCheck(joined == std::string(text.Get() + start));
    } else {
        FuzzCheck(joined.empty());
    }

    size_t found = 0;
    if (text.Find(start, separator.c_str(), &found)) {
        FuzzCheck(found >= start && found + separator.size() <= text.Length());
    }
    text.Tokenize(token, nullptr, 0);
    FuzzCheck(token.Length() == 0);
    return 0;
}

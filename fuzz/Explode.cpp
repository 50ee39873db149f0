#include "ovcore/foundation/String.h"
#include "fuzz/FuzzInput.h"

#include <cstring>
#include <memory>

using OvCore::OV_STRING;

namespace {

void CheckPieces(OV_STRING* pieces, unsigned count, size_t textLength, const std::string& delimiters, bool quoted) {
    FuzzCheck(pieces != nullptr);
    size_t total = 0;
    for (unsigned i = 0; i < count; ++i) {
        const size_t length = pieces[i].Length();
        FuzzCheck(length > 0);
        total += length;
        if (!quoted) FuzzCheck(std::strpbrk(pieces[i].Get(), delimiters.c_str()) == nullptr || delimiters.empty());
    }
    FuzzCheck(total <= textLength);
    delete[] pieces;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::string delimiters = input.TakeWord(8);
    const std::string quotes = input.TakeWord(4);
    const bool quoted = !quotes.empty();

    // The raw rest in a heap block of its exact size, without a terminator.
    const size_t rawSize = input.RestSize();
    std::unique_ptr<char[]> raw(new char[rawSize > 0 ? rawSize : 1]);
    std::memcpy(raw.get(), input.RestData(), rawSize);
    unsigned count = 0;
    OV_STRING* pieces =
        OV_STRING::Explode(raw.get(), rawSize, delimiters.c_str(), &count, quoted ? quotes.c_str() : nullptr);
    CheckPieces(pieces, count, rawSize, delimiters, quoted);

    const OV_STRING text(input.RestText().c_str());
    pieces = text.Explode(delimiters.c_str(), &count, quoted ? quotes.c_str() : nullptr);
    CheckPieces(pieces, count, text.Length(), delimiters, quoted);

    FuzzCheck(text.Explode(nullptr, &count, nullptr) == nullptr && count == 0);
    return 0;
}

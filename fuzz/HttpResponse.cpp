#include "fuzz/FuzzInput.h"
#include "ovcore/net/HttpResponse.h"

#include <cstring>

using OvCore::OV_HTTP_RESPONSE;
using OvCore::OV_MEMORY_FILE;

namespace {

struct Outcome {
    OV_HTTP_RESPONSE::State state;
    OV_MEMORY_FILE body;
};

// Reads the bytes as the blocks of a connection of the given block size, then
// the end of the connection when asked. A body past the limit fails and is
// emptied; otherwise the body holds what the response counted.
void Read(const uint8_t* bytes, size_t size, size_t block, bool end, uint64_t limit, Outcome& outcome) {
    OV_HTTP_RESPONSE response;
    response.Reset(limit);
    for (size_t at = 0; at < size; at += block) {
        const size_t count = size - at < block ? size - at : block;
        response.Feed(bytes + at, static_cast<uint32_t>(count), outcome.body);
        FuzzCheck(outcome.body.Size() <= limit);
        if (response.state() != OV_HTTP_RESPONSE::FAILED) FuzzCheck(response.BodyBytes() == outcome.body.Size());
    }
    if (end) response.End(outcome.body);
    outcome.state = response.state();
    if (response.HasLength() && outcome.state == OV_HTTP_RESPONSE::COMPLETE)
        FuzzCheck(response.BodyBytes() == response.ContentLength());
}

}  // namespace

// A response read in one block and in blocks of any size gives the same
// result, and the body never holds more bytes than arrived or the limit
// allows. The first byte's low bits give the block size, its high bits the
// body limit (none, 16, 256 or 4096 bytes).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint8_t shape = input.TakeByte();
    const size_t block = shape % 64 + 1;
    const uint64_t limit = shape >> 6 ? uint64_t{1} << (4 * (shape >> 6)) : UINT32_MAX;
    const bool end = input.TakeByte() & 1;
    const auto* bytes = reinterpret_cast<const uint8_t*>(input.RestData());
    const size_t count = input.RestSize();

    Outcome whole, split;
    Read(bytes, count, count ? count : 1, end, limit, whole);
    Read(bytes, count, block, end, limit, split);
    FuzzCheck(whole.state == split.state);
    FuzzCheck(whole.body.Size() == split.body.Size() && whole.body.Size() <= count);
    FuzzCheck(whole.body.Size() == 0 || std::memcmp(whole.body.Data(), split.body.Data(), whole.body.Size()) == 0);
    return 0;
}

// Opens arbitrary bytes as a sound file, decodes it to the end, seeks back
// and decodes it again, then reads an ID3v1 tag from the same bytes on disk.
// fuzz max_len: 8192
// fuzz seeds: game/Data/Sounds/gib3.wav
#include "ovcore/audio/Id3Tag.h"
#include "ovcore/audio/device/AudioApi.h"
#include "ovcore/audio/device/DecodedSource.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ScratchFile.h"

namespace {

constexpr int kChunkFrames = 4096;

// Reads to the end; every read must stay within what was asked.
int64_t DecodeToEnd(OvAudio::SampleSource& source, std::vector<int16_t>& chunk) {
    int64_t frames = 0;
    for (;;) {
        const int got = source.read(chunk.data(), kChunkFrames);
        if (got < 0 || got > kChunkFrames) std::abort();
        if (got == 0 || frames > OvAudio::DecodedSource::kMaxFrames) return frames;
        frames += got;
    }
}

void ReadTag(const uint8_t* bytes, size_t size) {
    const char* path = ScratchFile::Write("ov_fuzz_sound", bytes, size);
    if (!path) return;
    OvCore::OV_ID3_TAG tag{};
    if (ReadId3Tag(path, &tag) !=
        (size >= 128 && bytes[size - 128] == 'T' && bytes[size - 127] == 'A' && bytes[size - 126] == 'G'))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    ReadTag(bytes, size);
    OvAudio::RefPtr<OvAudio::SampleSource> source = OvAudio::AdrOpenSampleSourceFromMemory(bytes, size, 0);
    if (!source) return 0;
    const int channels = source->getChannelCount();
    if (channels != 1 && channels != 2) std::abort();
    std::vector<int16_t> chunk(static_cast<size_t>(kChunkFrames * channels));
    DecodeToEnd(*source, chunk);
    if (source->reset()) DecodeToEnd(*source, chunk);
    return 0;
}

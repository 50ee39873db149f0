// Opens arbitrary bytes as a sound file on disk and decodes it to the end
// twice (seeking back between); every read stays within what was asked.
// fuzz max_len: 8192
// fuzz seeds: game/Data/Sounds/gib3.wav game/Data/Sounds/jump1.wav
#include "ovcore/audio/device/AudioApi.h"
#include "ovcore/audio/device/DecodedSource.h"

#include "FuzzInput.h"
#include "ScratchFile.h"

#include <cstdint>
#include <vector>

namespace {

constexpr int kChunkFrames = 4096;

void DecodeToEnd(OvAudio::SampleSource& source, std::vector<int16_t>& chunk) {
    int64_t frames = 0;
    for (;;) {
        const int got = source.read(chunk.data(), kChunkFrames);
        FuzzCheck(got >= 0 && got <= kChunkFrames);
        if (got == 0 || frames > OvAudio::DecodedSource::kMaxFrames) return;
        frames += got;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const char* path = ScratchFile::Write("ov_fuzz_soundfile", bytes, size);
    if (!path) return 0;
    OvAudio::RefPtr<OvAudio::SampleSource> source = OvAudio::AdrOpenSampleSource(path, 0);
    if (!source) return 0;
    const int channels = source->getChannelCount();
    FuzzCheck(channels == 1 || channels == 2);
    std::vector<int16_t> chunk(static_cast<size_t>(kChunkFrames * channels));
    DecodeToEnd(*source, chunk);
    if (source->reset()) DecodeToEnd(*source, chunk);
    return 0;
}

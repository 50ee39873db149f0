// A sample source held fully decoded in memory: sound effects and
// non-streaming sounds decode their source into one of these once.
#pragma once

#include "ovcore/audio/device/RefPtr.h"
#include "ovcore/audio/device/SampleSource.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace OvAudio {

class DecodedSource final : public SampleSource {
public:
    // Longest sound decoded whole (about 25 minutes at 44.1 kHz); longer ones,
    // and sources that yield no frames at all, are refused (null).
    static constexpr int64_t kMaxFrames = int64_t{1} << 26;

    // Decodes the source from its first frame to its end.
    static RefPtr<DecodedSource> Decode(SampleSource& source);

    int getChannelCount() override { return channels_; }
    int getSampleRate() override { return rate_; }
    int64_t getLength() override { return FrameCount(); }
    bool isSeekable() override { return true; }
    int read(int16_t* out, int frameCount) override;
    bool setPosition(int64_t frame) override;
    int64_t getPosition() override;

    const int16_t* Samples() const { return samples_.data(); }
    int64_t FrameCount() const { return static_cast<int64_t>(samples_.size()) / channels_; }

private:
    DecodedSource(int channels, int rate, std::vector<int16_t> samples);

    const int channels_;
    const int rate_;
    const std::vector<int16_t> samples_;
    std::mutex mutex_;
    int64_t position_ = 0;
};

}  // namespace OvAudio

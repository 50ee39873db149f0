#include "ovcore/audio/device/DecodedSource.h"

#include <algorithm>
#include <cstring>

namespace OvAudio {

namespace {

constexpr int kChunkFrames = 4096;
constexpr int64_t kReserveFrames = int64_t{1} << 20;

}  // namespace

RefPtr<DecodedSource> DecodedSource::Decode(SampleSource& source) {
    const int channels = source.getChannelCount();
    if (source.getPosition() != 0 && !source.reset()) return nullptr;
    std::vector<int16_t> samples;
    // A damaged header may claim any length: trust it only for a first guess.
    const int64_t expected = std::clamp<int64_t>(source.getLength(), 0, kReserveFrames);
    samples.reserve(static_cast<size_t>(expected * channels));
    int64_t frames = 0;
    for (;;) {
        const size_t used = samples.size();
        samples.resize(used + static_cast<size_t>(kChunkFrames * channels));
        const int got = source.read(samples.data() + used, kChunkFrames);
        samples.resize(used + static_cast<size_t>(got * channels));
        frames += got;
        if (frames > kMaxFrames) return nullptr;
        if (got == 0) break;
    }
    if (frames == 0) return nullptr;
    samples.shrink_to_fit();
    return RefPtr<DecodedSource>::Adopt(new DecodedSource(channels, source.getSampleRate(), std::move(samples)));
}

DecodedSource::DecodedSource(int channels, int rate, std::vector<int16_t> samples)
    : channels_(channels),
      rate_(rate),
      samples_(std::move(samples)) {}

int DecodedSource::read(int16_t* out, int frameCount) {
    if (!out || frameCount <= 0) return 0;
    std::lock_guard<std::mutex> lock(mutex_);
    const int64_t left = FrameCount() - position_;
    const int frames = static_cast<int>(std::min<int64_t>(frameCount, left));
    if (frames <= 0) return 0;
    std::memcpy(out, samples_.data() + position_ * channels_,
                static_cast<size_t>(frames * channels_) * sizeof(int16_t));
    position_ += frames;
    return frames;
}

bool DecodedSource::setPosition(int64_t frame) {
    if (frame < 0 || frame > FrameCount()) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    position_ = frame;
    return true;
}

int64_t DecodedSource::getPosition() {
    std::lock_guard<std::mutex> lock(mutex_);
    return position_;
}

}  // namespace OvAudio

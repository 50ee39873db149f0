// A sample source that decodes a sound file (WAV, FLAC, Ogg Vorbis, MP3 and
// the other formats libsndfile reads) from a path or from bytes in memory.
// Files with more than two channels give their first two.
#pragma once

#include "ovcore/audio/device/RefPtr.h"
#include "ovcore/audio/device/SampleSource.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace OvAudio {

class SoundFileSource final : public SampleSource {
public:
    // Null when the data cannot be opened, is not of the asked format, or
    // has no usable channel count or rate.
    static RefPtr<SoundFileSource> OpenFile(const char* path, SampleFormat format);
    static RefPtr<SoundFileSource> OpenMemory(const void* bytes, size_t size, SampleFormat format);

    int getChannelCount() override;
    int getSampleRate() override;
    int64_t getLength() override;
    bool isSeekable() override;
    int read(int16_t* out, int frameCount) override;
    bool setPosition(int64_t frame) override;
    int64_t getPosition() override;

    struct Decoder;

private:
    explicit SoundFileSource(std::unique_ptr<Decoder> decoder);
    ~SoundFileSource() override;
    // `source` names the sound in failure reports: its path, or "memory".
    static RefPtr<SoundFileSource> Wrap(std::unique_ptr<Decoder> decoder, SampleFormat format, const char* source);
    int ReadFirstTwoChannels(int16_t* out, int frameCount);

    std::mutex mutex_;
    std::unique_ptr<Decoder> decoder_;
    std::vector<int16_t> wideFrames_;  // for files of more than two channels
    int64_t position_ = 0;
};

}  // namespace OvAudio

// A sound played from a sample source through a queue of kBufferCount
// OpenAL buffers that are decoded and queued as the earlier ones finish
// (see AudioDevice.h for who refills them). Positions and lengths count
// sample frames of the source. stop() keeps the position, so play() goes on
// from there; a sound that plays to its end without repeat stops and goes
// back to its first frame. With repeat it wraps to the start, and so does
// the position it reports.
#pragma once

#include "ovcore/audio/device/AudioDevice.h"
#include "ovcore/audio/device/RefPtr.h"
#include "ovcore/audio/device/RefCounted.h"
#include "ovcore/audio/device/SampleSource.h"

#include <array>
#include <cstdint>
#include <vector>

namespace OvAudio {

// The stream; see the file description.
class OutputStream final : public RefCounted {
public:
    // Buffers queued per stream, and frames per buffer:
    static constexpr int kBufferCount = 4;
    static constexpr int kBufferFrames = 8192;

    // Null without a device or source, or when OpenAL has no source or
    // buffers to give.
    static RefPtr<OutputStream> Create(RefPtr<AudioDevice> device, RefPtr<SampleSource> source);

    // Play from the position, stop keeping it, go back to frame 0, whether it is
    // sounding, and the repeat switch:
    void play();
    void stop();
    void reset();
    bool isPlaying();
    void setRepeat(bool repeat);
    bool getRepeat();
    // Volume 0..1, pan -1..1 and pitch factor 0.5..2, clamped:
    void setVolume(float volume);  // 0..1
    float getVolume();
    void setPan(float pan);  // -1..1
    float getPan();
    void setPitchShift(float pitch);  // 0.5..2
    float getPitchShift();
    // Frames from the start; clamped to 0..getLength(). Ignored when the
    // source cannot seek.
    void setPosition(int position);
    // The position in frames, the length in frames (0 when unknown), and whether
    // the source can seek:
    int getPosition();
    int getLength();
    bool isSeekable();

    // Queues fresh buffers for the ones OpenAL has finished; for the device,
    // with the layer lock held and the context current.
    void Refill();

private:
    // One queued buffer and the source frame its first sample came from.
    struct Queued {
        unsigned buffer;
        int64_t startFrame;
        int frameCount;
    };

    OutputStream(RefPtr<AudioDevice> device, RefPtr<SampleSource> source, unsigned alSource,
                 const std::array<unsigned, kBufferCount>& buffers);
    ~OutputStream() override;
    void StartAt(int64_t frame);
    void Halt();
    void UnqueueFinished();
    bool FillAndQueue(unsigned buffer);
    int DecodeInto(int16_t* out, int frameCount);
    int64_t PlayedPosition();
    int64_t Wrap(int64_t frame) const;
    void Finish();

    RefPtr<AudioDevice> device_;
    RefPtr<SampleSource> source_;
    const unsigned alSource_;
    const std::array<unsigned, kBufferCount> buffers_;
    const int channels_;
    const int rate_;
    const int64_t length_;
    std::vector<unsigned> freeBuffers_;
    std::vector<Queued> queue_;  // in play order
    std::vector<int16_t> scratch_;
    int64_t decodeFrame_ = 0;  // the next frame the decoder gives
    int64_t loopLength_ = 0;  // frames of one pass, once a repeat has wrapped
    int64_t position_ = 0;  // while not playing
    bool playing_ = false;
    bool decoderAtEnd_ = false;
    bool repeat_ = false;
    float volume_ = 1.0f;
    float pan_ = 0.0f;
    float pitch_ = 1.0f;
};

}  // namespace OvAudio

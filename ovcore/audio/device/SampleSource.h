// A source of decoded sample frames: 16-bit signed samples, one or two
// interleaved channels, read from the current position onward.
#pragma once

#include "ovcore/audio/device/RefCounted.h"

#include <cstdint>

namespace OvAudio {

// What kind of data a sound file must hold; Detect takes whatever the data is.
enum class SampleFormat : int { Detect = 0, Wav = 1, Ogg = 2, Flac = 3, Mp3 = 4 };

// The decoder interface the effects and streams read; see the file description.
class SampleSource : public RefCounted {
public:
    virtual int getChannelCount() = 0;  // 1 or 2
    virtual int getSampleRate() = 0;  // frames per second
    // Total frames, 0 when the data does not tell.
    virtual int64_t getLength() = 0;
    virtual bool isSeekable() = 0;  // false when setPosition cannot move
    // Fills up to frameCount frames into out (frameCount * channels samples);
    // returns the frames read, 0 at the end or on a decoding error.
    virtual int read(int16_t* out, int frameCount) = 0;
    // Moves to a frame; false (position unchanged) when that is impossible.
    virtual bool setPosition(int64_t frame) = 0;
    virtual int64_t getPosition() = 0;  // the frame the next read starts at
    // Back to the first frame.
    bool reset() { return setPosition(0); }
};

}  // namespace OvAudio

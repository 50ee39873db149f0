// A short sound decoded whole into one OpenAL buffer. A single effect has
// one voice and restarts it on play; a multiple effect overlaps its plays on
// up to kMaxVoices voices, reusing the one that started longest ago.
#pragma once

#include "ovcore/audio/device/AudioDevice.h"
#include "ovcore/audio/device/RefPtr.h"
#include "ovcore/audio/device/RefCounted.h"

#include <cstdint>
#include <vector>

namespace OvAudio {

class SampleSource;

// Single: one voice, restarted on play; Multiple: up to kMaxVoices overlapping plays.
enum class SoundEffectType : int { Single = 0, Multiple = 1 };

// The effect; see the file description.
class SoundEffect final : public RefCounted {
public:
    static constexpr size_t kMaxVoices = 16;  // the most plays that sound at once

    // Null when the source yields nothing or OpenAL refuses the buffer.
    static RefPtr<SoundEffect> Create(RefPtr<AudioDevice> device, SampleSource& source, SoundEffectType type);

    // Play (see the file description) and stop every play:
    void play();
    void stop();
    // True while any of its plays is still sounding.
    bool isPlaying();
    // Volume 0..1, pan -1..1 and pitch factor 0.5..2, clamped:
    void setVolume(float volume);  // 0..1
    float getVolume();
    void setPan(float pan);  // -1..1
    float getPan();
    void setPitchShift(float pitch);  // 0.5..2
    float getPitchShift();

private:
    struct Voice {
        unsigned source;
        uint64_t startedAt;
    };

    SoundEffect(RefPtr<AudioDevice> device, unsigned buffer, SoundEffectType type);
    ~SoundEffect() override;
    Voice* PickVoice();
    Voice* AddVoice();

    RefPtr<AudioDevice> device_;
    const unsigned buffer_;
    const size_t voiceLimit_;
    std::vector<Voice> voices_;
    uint64_t plays_ = 0;
    float volume_ = 1.0f;
    float pan_ = 0.0f;
    float pitch_ = 1.0f;
};

}  // namespace OvAudio

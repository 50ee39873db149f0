#include "ovcore/audio/device/AlSupport.h"

#include <cmath>

namespace OvAudio {

float ClampFloat(float value, float low, float high) {
    if (!(value >= low)) return low;
    return value > high ? high : value;
}

ALenum AlFormatFor(int channels) { return channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16; }

ALuint CreateAlSource() {
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) return 0;
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    ApplyPan(source, 0.0f);
    return source;
}

void DeleteAlSource(ALuint source) {
    if (source == 0) return;
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    alDeleteSources(1, &source);
}

void ApplyVolume(ALuint source, float volume) { alSourcef(source, AL_GAIN, volume); }

void ApplyPan(ALuint source, float pan) { alSource3f(source, AL_POSITION, pan, 0.0f, -std::sqrt(1.0f - pan * pan)); }

void ApplyPitch(ALuint source, float pitch) { alSourcef(source, AL_PITCH, pitch); }

bool IsAlSourcePlaying(ALuint source) {
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

}  // namespace OvAudio

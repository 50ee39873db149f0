// Small helpers over OpenAL shared by effects and streams. Callers hold the
// layer lock with their device's context current.
#pragma once

#include <AL/al.h>

namespace OvAudio {

constexpr float kMinPitch = 0.5f;
constexpr float kMaxPitch = 2.0f;

// Clamps into [low, high]; NaN gives low.
float ClampFloat(float value, float low, float high);

ALenum AlFormatFor(int channels);

// A new source that plays at the listener unless panned; 0 on failure.
ALuint CreateAlSource();
void DeleteAlSource(ALuint source);

// Volume 0..1, pan -1 (left) .. 1 (right), pitch 0.5..2 on one source. Pan
// places the source on a half circle in front of the listener, so it moves
// mono sounds; OpenAL plays stereo data as it is.
void ApplyVolume(ALuint source, float volume);
void ApplyPan(ALuint source, float pan);
void ApplyPitch(ALuint source, float pitch);

bool IsAlSourcePlaying(ALuint source);

}  // namespace OvAudio

// OV_AUDIO: the framework's sound manager. It owns one output device and
// two lists of loaded sounds: effects, short sounds whose plays may overlap,
// and streams, longer sounds decoded while they play. Loads hand out
// handles; every operation on a handle whose entry is not (or no longer)
// in the right list does nothing and returns false or 0.
#pragma once

#include "ovcore/audio/SoundHandle.h"
#include "ovcore/audio/SoundList.h"
#include "ovcore/audio/device/AudioDevice.h"
#include "ovcore/audio/device/OutputStream.h"
#include "ovcore/audio/device/RefPtr.h"
#include "ovcore/audio/device/SoundEffect.h"

#include <cstdint>

namespace OvCore {

// The sound manager; see the file description. Volume is 0..1, pan -1 (left) ..
// 1 (right), pitch a playback-rate factor 0.5..2; values beyond are clamped.
// Stream positions and lengths count sample frames.
class OV_AUDIO {
public:
    OvAudio::RefPtr<OvAudio::AudioDevice> device;  // null when no device opened
    OV_SOUND_LIST<OvAudio::SoundEffect> effects;  // loaded effects, in load order
    OV_SOUND_LIST<OvAudio::OutputStream> streams;  // loaded streams, in load order

    // Empty lists and no device yet: the default device opens with the first
    // load (OpenDevice), so a program that plays no sound never opens one.
    constexpr OV_AUDIO() = default;
    ~OV_AUDIO();
    OV_AUDIO(const OV_AUDIO&) = delete;
    OV_AUDIO& operator=(const OV_AUDIO&) = delete;

    // Opens the default device unless one is open or Shutdown has run. True
    // when a device is open afterwards; false without an audio device (the
    // reason goes to the diagnostics) and after Shutdown.
    bool OpenDevice();

    // Removes every effect and stream, then releases the device; later loads
    // fail.
    void Shutdown();

    // The path is opened as it stands (relative to the working directory);
    // the device opens first if it is not yet open (OpenDevice). An invalid
    // handle when the file cannot be opened or decoded, or there is no device.
    OV_SOUND_HANDLE LoadEffect(const char* path);
    // An effect is decoded whole and its plays overlap on up to 16 voices; a
    // stream is decoded while it plays:
    OV_SOUND_HANDLE LoadStream(const char* path);

    // Remove one entry (false for a dead handle) or all of a list (false when it was
    // already empty):
    bool RemoveEffect(OV_SOUND_HANDLE handle);
    bool RemoveStream(OV_SOUND_HANDLE handle);
    bool RemoveAllEffects();
    bool RemoveAllStreams();
    // The first entry of a list; the invalid handle when the list is empty:
    OV_SOUND_HANDLE FirstEffect() const;
    OV_SOUND_HANDLE FirstStream() const;

    // Effects: play (on a free voice, else the one that started longest ago), stop all
    // its plays, and the volume, pan and pitch setters and getters. Setters give false
    // and getters 0 for a dead handle:
    bool PlayEffect(OV_SOUND_HANDLE handle);
    bool StopEffect(OV_SOUND_HANDLE handle);
    bool SetEffectVolume(OV_SOUND_HANDLE handle, float volume);
    float GetEffectVolume(OV_SOUND_HANDLE handle);
    bool SetEffectPan(OV_SOUND_HANDLE handle, float pan);
    float GetEffectPan(OV_SOUND_HANDLE handle);
    bool SetEffectPitch(OV_SOUND_HANDLE handle, float pitch);
    float GetEffectPitch(OV_SOUND_HANDLE handle);

    // Streams: play from the current position, stop (keeping the position), back to
    // the first frame, whether it is sounding, repeat at the end, volume, pan, pitch,
    // position (frames, clamped to 0..length, ignored when the file cannot seek) and
    // length in frames (0 when the file does not tell). False / 0 for a dead handle:
    bool PlayStream(OV_SOUND_HANDLE handle);
    bool StopStream(OV_SOUND_HANDLE handle);
    bool ResetStream(OV_SOUND_HANDLE handle);
    bool IsStreamPlaying(OV_SOUND_HANDLE handle);
    bool SetStreamRepeat(OV_SOUND_HANDLE handle, bool repeat);
    bool SetStreamVolume(OV_SOUND_HANDLE handle, float volume);
    float GetStreamVolume(OV_SOUND_HANDLE handle);
    bool SetStreamPan(OV_SOUND_HANDLE handle, float pan);
    float GetStreamPan(OV_SOUND_HANDLE handle);
    bool SetStreamPitch(OV_SOUND_HANDLE handle, float pitch);
    float GetStreamPitch(OV_SOUND_HANDLE handle);
    bool SetStreamPosition(OV_SOUND_HANDLE handle, int position);
    int GetStreamPosition(OV_SOUND_HANDLE handle);
    int GetStreamLength(OV_SOUND_HANDLE handle);

private:
    bool shutDown_ = false;  // Shutdown has run: no device opens again
    // Runs action on the effect (stream) of a live handle; false otherwise.
    template <class Action>
    bool WithEffect(OV_SOUND_HANDLE handle, Action action);
    template <class Action>
    bool WithStream(OV_SOUND_HANDLE handle, Action action);

    uint64_t nextId_ = 1;
};

}  // namespace OvCore

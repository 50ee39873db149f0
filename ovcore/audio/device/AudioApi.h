// The flat entry points of the audio-device layer. Each returns a counted
// reference holding the object's first reference (count 1), or null.
#pragma once

#include "ovcore/audio/device/AudioDevice.h"
#include "ovcore/audio/device/OutputStream.h"
#include "ovcore/audio/device/RefPtr.h"
#include "ovcore/audio/device/SampleSource.h"
#include "ovcore/audio/device/SoundEffect.h"

#include <cstddef>

namespace OvAudio {

// A null or empty name opens the default device. The parameter string is
// accepted for the callers' sake; the device takes no parameters.
RefPtr<AudioDevice> AdrOpenDevice(const char* name, const char* parameters);

// format: a SampleFormat value; 0 detects the format from the data.
RefPtr<SampleSource> AdrOpenSampleSource(const char* path, int format);
// The same over bytes in memory (copied).
RefPtr<SampleSource> AdrOpenSampleSourceFromMemory(const void* bytes, size_t size, int format);

// type: a SoundEffectType value, 1 for overlapping plays, 0 for one at a time.
RefPtr<SoundEffect> AdrOpenSoundEffect(const RefPtr<AudioDevice>& device, const RefPtr<SampleSource>& source, int type);

// streaming: decode while playing (the sound keeps the source); otherwise
// the source is decoded whole first.
RefPtr<OutputStream> AdrOpenSound(const RefPtr<AudioDevice>& device, const RefPtr<SampleSource>& source,
                                  bool streaming);

}  // namespace OvAudio

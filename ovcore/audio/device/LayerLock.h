// The one lock of the audio-device layer. Every OpenAL call and every
// change to a device, effect or stream happens under it, because streams are
// refilled from a background thread while the program calls in from its own.
#pragma once

#include <mutex>

namespace OvAudio {

std::mutex& LayerMutex();

using LayerGuard = std::lock_guard<std::mutex>;

}  // namespace OvAudio

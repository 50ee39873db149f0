#include "ovcore/audio/device/LayerLock.h"

namespace OvAudio {

std::mutex& LayerMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace OvAudio

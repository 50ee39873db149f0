// An open output device: one OpenAL device with its context, and the
// background thread that keeps the device's streams fed.
//
// Streams decode while they play, into a short queue of buffers that must be
// refilled as OpenAL finishes them, whatever the program is doing. A thread
// per device does that about every 10 ms; it starts with the device's first
// stream and stops when the device closes. It and the program's calls meet
// only under the layer lock (LayerLock.h). A stream is also refilled on each
// query of its state, and update() runs one refill pass on demand.
#pragma once

#include "ovcore/audio/device/RefPtr.h"
#include "ovcore/audio/device/RefCounted.h"

#include <condition_variable>
#include <thread>
#include <vector>

// OpenAL's device and context types, declared here without its headers:
typedef struct ALCdevice_struct ALCdevice;
typedef struct ALCcontext_struct ALCcontext;

namespace OvAudio {

class OutputStream;

// The device; see the file description.
class AudioDevice final : public RefCounted {
public:
    // A null or empty name opens the default device. Null when no device opens.
    static RefPtr<AudioDevice> Open(const char* name);

    // Refills every stream of this device once.
    void update();

    // For the device's effects and streams, with the layer lock held.
    void MakeCurrent();
    // Register a stream for refilling, and take it off again (the stream's own
    // constructor and destructor call these):
    void AddStream(OutputStream* stream);
    void RemoveStream(OutputStream* stream);

private:
    AudioDevice(ALCdevice* device, ALCcontext* context);
    ~AudioDevice() override;
    void RefillAll();
    void PumpLoop();

    ALCdevice* const device_;
    ALCcontext* const context_;
    std::vector<OutputStream*> streams_;
    std::thread pump_;
    std::condition_variable wake_;
    bool stopping_ = false;
};

}  // namespace OvAudio

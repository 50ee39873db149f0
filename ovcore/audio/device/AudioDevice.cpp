#include "ovcore/audio/device/AudioDevice.h"

#include "ovcore/audio/device/LayerLock.h"
#include "ovcore/audio/device/OutputStream.h"
#include "ovcore/platform/Diagnostics.h"

#include <AL/alc.h>

#include <algorithm>
#include <chrono>

namespace OvAudio {

namespace {

constexpr std::chrono::milliseconds kPumpInterval{10};

}  // namespace

RefPtr<AudioDevice> AudioDevice::Open(const char* name) {
    LayerGuard lock(LayerMutex());
    ALCdevice* device = alcOpenDevice(name && *name ? name : nullptr);
    if (!device) {
        PlatformReportFailure("audio: cannot open device: %s", name && *name ? name : "(default)");
        return nullptr;
    }
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (!context) {
        PlatformReportFailure("audio: cannot mix on device: %s: ALC error 0x%04X", name && *name ? name : "(default)",
                              alcGetError(device));
        alcCloseDevice(device);
        return nullptr;
    }
    return RefPtr<AudioDevice>::Adopt(new AudioDevice(device, context));
}

AudioDevice::AudioDevice(ALCdevice* device, ALCcontext* context) : device_(device), context_(context) {}

AudioDevice::~AudioDevice() {
    {
        LayerGuard lock(LayerMutex());
        stopping_ = true;
    }
    wake_.notify_all();
    if (pump_.joinable()) pump_.join();
    LayerGuard lock(LayerMutex());
    if (alcGetCurrentContext() == context_) alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
    alcCloseDevice(device_);
}

void AudioDevice::update() {
    LayerGuard lock(LayerMutex());
    RefillAll();
}

void AudioDevice::MakeCurrent() {
    if (alcGetCurrentContext() != context_) alcMakeContextCurrent(context_);
}

void AudioDevice::AddStream(OutputStream* stream) {
    streams_.push_back(stream);
    if (!pump_.joinable()) pump_ = std::thread([this] { PumpLoop(); });
}

void AudioDevice::RemoveStream(OutputStream* stream) {
    streams_.erase(std::remove(streams_.begin(), streams_.end(), stream), streams_.end());
}

void AudioDevice::RefillAll() {
    if (streams_.empty()) return;
    MakeCurrent();
    for (OutputStream* stream : streams_) stream->Refill();
}

void AudioDevice::PumpLoop() {
    std::unique_lock<std::mutex> lock(LayerMutex());
    while (!stopping_) {
        RefillAll();
        wake_.wait_for(lock, kPumpInterval, [this] { return stopping_; });
    }
}

}  // namespace OvAudio

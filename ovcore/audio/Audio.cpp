#include "ovcore/audio/Audio.h"

#include "ovcore/audio/device/AudioApi.h"

namespace OvCore {

using OvAudio::OutputStream;
using OvAudio::SoundEffect;

namespace {

constexpr int kDetectFormat = 0;
constexpr int kOverlappingPlays = 1;

}  // namespace

bool OV_AUDIO::OpenDevice() {
    if (!device && !shutDown_) device = OvAudio::AdrOpenDevice(nullptr, nullptr);
    return static_cast<bool>(device);
}

OV_AUDIO::~OV_AUDIO() { Shutdown(); }

void OV_AUDIO::Shutdown() {
    RemoveAllEffects();
    RemoveAllStreams();
    device.reset();
    shutDown_ = true;
}

OV_SOUND_HANDLE OV_AUDIO::LoadEffect(const char* path) {
    OpenDevice();
    OvAudio::RefPtr<OvAudio::SampleSource> source = OvAudio::AdrOpenSampleSource(path, kDetectFormat);
    OvAudio::RefPtr<SoundEffect> effect = OvAudio::AdrOpenSoundEffect(device, source, kOverlappingPlays);
    source.reset();
    if (!effect) return OV_SOUND_HANDLE{};
    return effects.Append(std::move(effect), nextId_++);
}

OV_SOUND_HANDLE OV_AUDIO::LoadStream(const char* path) {
    OpenDevice();
    OvAudio::RefPtr<OvAudio::SampleSource> source = OvAudio::AdrOpenSampleSource(path, kDetectFormat);
    OvAudio::RefPtr<OutputStream> stream = OvAudio::AdrOpenSound(device, source, true);
    source.reset();
    if (!stream) return OV_SOUND_HANDLE{};
    return streams.Append(std::move(stream), nextId_++);
}

bool OV_AUDIO::RemoveEffect(OV_SOUND_HANDLE handle) { return effects.Remove(handle); }
bool OV_AUDIO::RemoveStream(OV_SOUND_HANDLE handle) { return streams.Remove(handle); }
bool OV_AUDIO::RemoveAllEffects() { return effects.Clear(); }
bool OV_AUDIO::RemoveAllStreams() { return streams.Clear(); }
OV_SOUND_HANDLE OV_AUDIO::FirstEffect() const { return effects.First(); }
OV_SOUND_HANDLE OV_AUDIO::FirstStream() const { return streams.First(); }

template <class Action>
bool OV_AUDIO::WithEffect(OV_SOUND_HANDLE handle, Action action) {
    SoundEffect* effect = effects.Find(handle);
    if (!effect) return false;
    action(*effect);
    return true;
}

template <class Action>
bool OV_AUDIO::WithStream(OV_SOUND_HANDLE handle, Action action) {
    OutputStream* stream = streams.Find(handle);
    if (!stream) return false;
    action(*stream);
    return true;
}

bool OV_AUDIO::PlayEffect(OV_SOUND_HANDLE handle) {
    return WithEffect(handle, [](SoundEffect& e) { e.play(); });
}

bool OV_AUDIO::StopEffect(OV_SOUND_HANDLE handle) {
    return WithEffect(handle, [](SoundEffect& e) { e.stop(); });
}

bool OV_AUDIO::SetEffectVolume(OV_SOUND_HANDLE handle, float volume) {
    return WithEffect(handle, [=](SoundEffect& e) { e.setVolume(volume); });
}

float OV_AUDIO::GetEffectVolume(OV_SOUND_HANDLE handle) {
    SoundEffect* effect = effects.Find(handle);
    return effect ? effect->getVolume() : 0.0f;
}

bool OV_AUDIO::SetEffectPan(OV_SOUND_HANDLE handle, float pan) {
    return WithEffect(handle, [=](SoundEffect& e) { e.setPan(pan); });
}

float OV_AUDIO::GetEffectPan(OV_SOUND_HANDLE handle) {
    SoundEffect* effect = effects.Find(handle);
    return effect ? effect->getPan() : 0.0f;
}

bool OV_AUDIO::SetEffectPitch(OV_SOUND_HANDLE handle, float pitch) {
    return WithEffect(handle, [=](SoundEffect& e) { e.setPitchShift(pitch); });
}

float OV_AUDIO::GetEffectPitch(OV_SOUND_HANDLE handle) {
    SoundEffect* effect = effects.Find(handle);
    return effect ? effect->getPitchShift() : 0.0f;
}

bool OV_AUDIO::PlayStream(OV_SOUND_HANDLE handle) {
    return WithStream(handle, [](OutputStream& s) { s.play(); });
}

bool OV_AUDIO::StopStream(OV_SOUND_HANDLE handle) {
    return WithStream(handle, [](OutputStream& s) { s.stop(); });
}

bool OV_AUDIO::ResetStream(OV_SOUND_HANDLE handle) {
    return WithStream(handle, [](OutputStream& s) { s.reset(); });
}

bool OV_AUDIO::IsStreamPlaying(OV_SOUND_HANDLE handle) {
    OutputStream* stream = streams.Find(handle);
    return stream && stream->isPlaying();
}

bool OV_AUDIO::SetStreamRepeat(OV_SOUND_HANDLE handle, bool repeat) {
    return WithStream(handle, [=](OutputStream& s) { s.setRepeat(repeat); });
}

bool OV_AUDIO::SetStreamVolume(OV_SOUND_HANDLE handle, float volume) {
    return WithStream(handle, [=](OutputStream& s) { s.setVolume(volume); });
}

float OV_AUDIO::GetStreamVolume(OV_SOUND_HANDLE handle) {
    OutputStream* stream = streams.Find(handle);
    return stream ? stream->getVolume() : 0.0f;
}

bool OV_AUDIO::SetStreamPan(OV_SOUND_HANDLE handle, float pan) {
    return WithStream(handle, [=](OutputStream& s) { s.setPan(pan); });
}

float OV_AUDIO::GetStreamPan(OV_SOUND_HANDLE handle) {
    OutputStream* stream = streams.Find(handle);
    return stream ? stream->getPan() : 0.0f;
}

bool OV_AUDIO::SetStreamPitch(OV_SOUND_HANDLE handle, float pitch) {
    return WithStream(handle, [=](OutputStream& s) { s.setPitchShift(pitch); });
}

float OV_AUDIO::GetStreamPitch(OV_SOUND_HANDLE handle) {
    OutputStream* stream = streams.Find(handle);
    return stream ? stream->getPitchShift() : 0.0f;
}

bool OV_AUDIO::SetStreamPosition(OV_SOUND_HANDLE handle, int position) {
    return WithStream(handle, [=](OutputStream& s) { s.setPosition(position); });
}

int OV_AUDIO::GetStreamPosition(OV_SOUND_HANDLE handle) {
    OutputStream* stream = streams.Find(handle);
    return stream ? stream->getPosition() : 0;
}

int OV_AUDIO::GetStreamLength(OV_SOUND_HANDLE handle) {
    OutputStream* stream = streams.Find(handle);
    return stream ? stream->getLength() : 0;
}

}  // namespace OvCore

#include "ovcore/audio/device/SoundEffect.h"

#include "ovcore/audio/device/AlSupport.h"
#include "ovcore/audio/device/DecodedSource.h"
#include "ovcore/audio/device/LayerLock.h"

namespace OvAudio {

RefPtr<SoundEffect> SoundEffect::Create(RefPtr<AudioDevice> device, SampleSource& source, SoundEffectType type) {
    if (!device) return nullptr;
    RefPtr<DecodedSource> decoded = DecodedSource::Decode(source);
    if (!decoded) return nullptr;
    LayerGuard lock(LayerMutex());
    device->MakeCurrent();
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) return nullptr;
    const int channels = decoded->getChannelCount();
    const auto bytes = static_cast<ALsizei>(decoded->FrameCount() * channels * static_cast<int64_t>(sizeof(int16_t)));
    alBufferData(buffer, AlFormatFor(channels), decoded->Samples(), bytes, decoded->getSampleRate());
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        return nullptr;
    }
    return RefPtr<SoundEffect>::Adopt(new SoundEffect(std::move(device), buffer, type));
}

SoundEffect::SoundEffect(RefPtr<AudioDevice> device, unsigned buffer, SoundEffectType type)
    : device_(std::move(device)),
      buffer_(buffer),
      voiceLimit_(type == SoundEffectType::Multiple ? kMaxVoices : 1) {
    voices_.reserve(voiceLimit_);
}

SoundEffect::~SoundEffect() {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    for (const Voice& voice : voices_) DeleteAlSource(voice.source);
    ALuint buffer = buffer_;
    alDeleteBuffers(1, &buffer);
}

void SoundEffect::play() {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    Voice* voice = PickVoice();
    if (!voice) return;
    voice->startedAt = ++plays_;
    alSourceRewind(voice->source);
    alSourcePlay(voice->source);
}

// An idle voice, else a new one while the pool has room, else the oldest.
SoundEffect::Voice* SoundEffect::PickVoice() {
    Voice* oldest = nullptr;
    for (Voice& voice : voices_) {
        if (!IsAlSourcePlaying(voice.source)) return &voice;
        if (!oldest || voice.startedAt < oldest->startedAt) oldest = &voice;
    }
    if (voices_.size() < voiceLimit_)
        if (Voice* added = AddVoice()) return added;
    return oldest;
}

SoundEffect::Voice* SoundEffect::AddVoice() {
    const ALuint source = CreateAlSource();
    if (source == 0) return nullptr;
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer_));
    ApplyVolume(source, volume_);
    ApplyPan(source, pan_);
    ApplyPitch(source, pitch_);
    voices_.push_back(Voice{source, 0});
    return &voices_.back();
}

void SoundEffect::stop() {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    for (const Voice& voice : voices_) alSourceStop(voice.source);
}

bool SoundEffect::isPlaying() {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    for (const Voice& voice : voices_)
        if (IsAlSourcePlaying(voice.source)) return true;
    return false;
}

void SoundEffect::setVolume(float volume) {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    volume_ = ClampFloat(volume, 0.0f, 1.0f);
    for (const Voice& voice : voices_) ApplyVolume(voice.source, volume_);
}

void SoundEffect::setPan(float pan) {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    pan_ = ClampFloat(pan, -1.0f, 1.0f);
    for (const Voice& voice : voices_) ApplyPan(voice.source, pan_);
}

void SoundEffect::setPitchShift(float pitch) {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    pitch_ = ClampFloat(pitch, kMinPitch, kMaxPitch);
    for (const Voice& voice : voices_) ApplyPitch(voice.source, pitch_);
}

float SoundEffect::getVolume() {
    LayerGuard lock(LayerMutex());
    return volume_;
}

float SoundEffect::getPan() {
    LayerGuard lock(LayerMutex());
    return pan_;
}

float SoundEffect::getPitchShift() {
    LayerGuard lock(LayerMutex());
    return pitch_;
}

}  // namespace OvAudio

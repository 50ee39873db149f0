#include "ovcore/audio/device/OutputStream.h"

#include "ovcore/audio/device/AlSupport.h"
#include "ovcore/audio/device/LayerLock.h"

#include <algorithm>
#include <climits>

namespace OvAudio {

namespace {

int ClampToInt(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, 0, INT_MAX)); }

}  // namespace

RefPtr<OutputStream> OutputStream::Create(RefPtr<AudioDevice> device, RefPtr<SampleSource> source) {
    if (!device || !source) return nullptr;
    LayerGuard lock(LayerMutex());
    device->MakeCurrent();
    const ALuint alSource = CreateAlSource();
    if (alSource == 0) return nullptr;
    std::array<unsigned, kBufferCount> buffers{};
    alGenBuffers(kBufferCount, buffers.data());
    if (alGetError() != AL_NO_ERROR) {
        DeleteAlSource(alSource);
        return nullptr;
    }
    return RefPtr<OutputStream>::Adopt(new OutputStream(std::move(device), std::move(source), alSource, buffers));
}

OutputStream::OutputStream(RefPtr<AudioDevice> device, RefPtr<SampleSource> source, unsigned alSource,
                           const std::array<unsigned, kBufferCount>& buffers)
    : device_(std::move(device)),
      source_(std::move(source)),
      alSource_(alSource),
      buffers_(buffers),
      channels_(source_->getChannelCount()),
      rate_(source_->getSampleRate()),
      length_(source_->getLength()),
      freeBuffers_(buffers.begin(), buffers.end()),
      scratch_(static_cast<size_t>(kBufferFrames * channels_)) {
    queue_.reserve(kBufferCount);
    device_->AddStream(this);
}

OutputStream::~OutputStream() {
    LayerGuard lock(LayerMutex());
    device_->RemoveStream(this);
    device_->MakeCurrent();
    DeleteAlSource(alSource_);
    alDeleteBuffers(kBufferCount, buffers_.data());
}

void OutputStream::play() {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    if (!playing_) StartAt(position_);
}

void OutputStream::stop() {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    if (!playing_) return;
    position_ = PlayedPosition();
    Halt();
    playing_ = false;
}

void OutputStream::reset() { setPosition(0); }

bool OutputStream::isPlaying() {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    Refill();
    return playing_;
}

void OutputStream::setRepeat(bool repeat) {
    LayerGuard lock(LayerMutex());
    repeat_ = repeat;
    // The decoder may already have stopped at the end; let it wrap now.
    if (repeat) decoderAtEnd_ = false;
}

bool OutputStream::getRepeat() {
    LayerGuard lock(LayerMutex());
    return repeat_;
}

void OutputStream::setPosition(int position) {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    if (!source_->isSeekable()) return;
    const int64_t frame = std::clamp<int64_t>(position, 0, length_ > 0 ? length_ : INT_MAX);
    if (!playing_) {
        position_ = frame;
        return;
    }
    Halt();
    StartAt(frame);
}

int OutputStream::getPosition() {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    Refill();
    return ClampToInt(PlayedPosition());
}

int OutputStream::getLength() { return ClampToInt(length_); }

bool OutputStream::isSeekable() { return source_->isSeekable(); }

void OutputStream::Refill() {
    if (!playing_) return;
    UnqueueFinished();
    while (!freeBuffers_.empty() && !decoderAtEnd_)
        if (!FillAndQueue(freeBuffers_.back())) break;
    if (IsAlSourcePlaying(alSource_)) return;
    // Ran dry (the refill came late) or played everything.
    if (queue_.empty())
        Finish();
    else
        alSourcePlay(alSource_);
}

void OutputStream::StartAt(int64_t frame) {
    decodeFrame_ = source_->setPosition(frame) ? frame : source_->getPosition();
    decoderAtEnd_ = false;
    playing_ = true;
    while (!freeBuffers_.empty() && !decoderAtEnd_)
        if (!FillAndQueue(freeBuffers_.back())) break;
    if (queue_.empty())
        Finish();
    else
        alSourcePlay(alSource_);
}

void OutputStream::Halt() {
    alSourceStop(alSource_);
    alSourcei(alSource_, AL_BUFFER, 0);
    for (const Queued& queued : queue_) freeBuffers_.push_back(queued.buffer);
    queue_.clear();
}

void OutputStream::Finish() {
    Halt();
    playing_ = false;
    decoderAtEnd_ = false;
    position_ = 0;
}

void OutputStream::UnqueueFinished() {
    ALint finished = 0;
    alGetSourcei(alSource_, AL_BUFFERS_PROCESSED, &finished);
    for (ALint i = 0; i < finished && !queue_.empty(); ++i) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(alSource_, 1, &buffer);
        auto done = std::find_if(queue_.begin(), queue_.end(), [&](const Queued& q) { return q.buffer == buffer; });
        if (done == queue_.end()) break;
        queue_.erase(done);
        freeBuffers_.push_back(buffer);
    }
}

bool OutputStream::FillAndQueue(unsigned buffer) {
    const int64_t start = decodeFrame_;
    const int frames = DecodeInto(scratch_.data(), kBufferFrames);
    if (frames == 0) return false;
    const auto bytes = static_cast<ALsizei>(static_cast<size_t>(frames * channels_) * sizeof(int16_t));
    alBufferData(buffer, AlFormatFor(channels_), scratch_.data(), bytes, rate_);
    ALuint queued = buffer;
    alSourceQueueBuffers(alSource_, 1, &queued);
    queue_.push_back(Queued{buffer, start, frames});
    freeBuffers_.pop_back();
    return true;
}

// Reads up to frameCount frames, wrapping to the first frame when repeating.
int OutputStream::DecodeInto(int16_t* out, int frameCount) {
    int done = 0;
    while (done < frameCount) {
        const int got = source_->read(out + static_cast<size_t>(done * channels_), frameCount - done);
        if (got > 0) {
            done += got;
            decodeFrame_ += got;
            continue;
        }
        // An empty pass would wrap forever.
        if (!repeat_ || decodeFrame_ == 0 || !source_->setPosition(0)) {
            decoderAtEnd_ = true;
            break;
        }
        loopLength_ = decodeFrame_;
        decodeFrame_ = 0;
    }
    return done;
}

// The frame being heard: OpenAL's offset counts from the first buffer still queued.
int64_t OutputStream::PlayedPosition() {
    if (!playing_ || queue_.empty()) return position_;
    ALint offset = 0;
    alGetSourcei(alSource_, AL_SAMPLE_OFFSET, &offset);
    int64_t left = std::max<ALint>(offset, 0);
    for (const Queued& queued : queue_) {
        if (left < queued.frameCount) return Wrap(queued.startFrame + left);
        left -= queued.frameCount;
    }
    const Queued& last = queue_.back();
    return Wrap(last.startFrame + last.frameCount);
}

int64_t OutputStream::Wrap(int64_t frame) const { return loopLength_ > 0 ? frame % loopLength_ : frame; }

void OutputStream::setVolume(float volume) {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    volume_ = ClampFloat(volume, 0.0f, 1.0f);
    ApplyVolume(alSource_, volume_);
}

void OutputStream::setPan(float pan) {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    pan_ = ClampFloat(pan, -1.0f, 1.0f);
    ApplyPan(alSource_, pan_);
}

void OutputStream::setPitchShift(float pitch) {
    LayerGuard lock(LayerMutex());
    device_->MakeCurrent();
    pitch_ = ClampFloat(pitch, kMinPitch, kMaxPitch);
    ApplyPitch(alSource_, pitch_);
}

float OutputStream::getVolume() {
    LayerGuard lock(LayerMutex());
    return volume_;
}

float OutputStream::getPan() {
    LayerGuard lock(LayerMutex());
    return pan_;
}

float OutputStream::getPitchShift() {
    LayerGuard lock(LayerMutex());
    return pitch_;
}

}  // namespace OvAudio

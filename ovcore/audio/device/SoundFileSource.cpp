#include "ovcore/audio/device/SoundFileSource.h"

#include "ovcore/platform/Diagnostics.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace OvAudio {

namespace {

constexpr int kMaxSampleRate = 768000;
constexpr int kWideChunkFrames = 1024;

// Bytes in memory behind libsndfile's virtual I/O; read-only.
struct MemoryBytes {
    std::vector<unsigned char> bytes;
    sf_count_t position = 0;
};

sf_count_t MemoryLength(void* user) { return static_cast<sf_count_t>(static_cast<MemoryBytes*>(user)->bytes.size()); }

sf_count_t MemorySeek(sf_count_t offset, int whence, void* user) {
    MemoryBytes& memory = *static_cast<MemoryBytes*>(user);
    const sf_count_t size = static_cast<sf_count_t>(memory.bytes.size());
    sf_count_t base = 0;
    if (whence == SEEK_CUR)
        base = memory.position;
    else if (whence == SEEK_END)
        base = size;
    else if (whence != SEEK_SET)
        return -1;
    if (offset < -base || offset > size - base) return -1;
    memory.position = base + offset;
    return memory.position;
}

sf_count_t MemoryRead(void* out, sf_count_t count, void* user) {
    MemoryBytes& memory = *static_cast<MemoryBytes*>(user);
    const sf_count_t left = static_cast<sf_count_t>(memory.bytes.size()) - memory.position;
    const sf_count_t taken = std::clamp<sf_count_t>(count, 0, left);
    if (taken > 0) std::memcpy(out, memory.bytes.data() + memory.position, static_cast<size_t>(taken));
    memory.position += taken;
    return taken;
}

sf_count_t MemoryWrite(const void*, sf_count_t, void*) { return 0; }

sf_count_t MemoryTell(void* user) { return static_cast<MemoryBytes*>(user)->position; }

SF_VIRTUAL_IO g_memoryIo = {MemoryLength, MemorySeek, MemoryRead, MemoryWrite, MemoryTell};

bool MatchesFormat(int fileFormat, SampleFormat wanted) {
    const int major = fileFormat & SF_FORMAT_TYPEMASK;
    switch (wanted) {
    case SampleFormat::Detect: return true;
    case SampleFormat::Wav: return major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64;
    case SampleFormat::Ogg: return major == SF_FORMAT_OGG;
    case SampleFormat::Flac: return major == SF_FORMAT_FLAC;
    case SampleFormat::Mp3: return major == SF_FORMAT_MPEG;
    }
    return false;
}

}  // namespace

struct SoundFileSource::Decoder {
    SNDFILE* file = nullptr;
    SF_INFO info{};
    std::unique_ptr<MemoryBytes> memory;  // only for sources over memory

    ~Decoder() {
        if (file) sf_close(file);
    }
};

RefPtr<SoundFileSource> SoundFileSource::OpenFile(const char* path, SampleFormat format) {
    if (!path) return nullptr;
    auto decoder = std::make_unique<Decoder>();
    decoder->file = sf_open(path, SFM_READ, &decoder->info);
    return Wrap(std::move(decoder), format, path);
}

RefPtr<SoundFileSource> SoundFileSource::OpenMemory(const void* bytes, size_t size, SampleFormat format) {
    if (!bytes && size > 0) return nullptr;
    auto decoder = std::make_unique<Decoder>();
    decoder->memory = std::make_unique<MemoryBytes>();
    const auto* first = static_cast<const unsigned char*>(bytes);
    decoder->memory->bytes.assign(first, first + size);
    decoder->file = sf_open_virtual(&g_memoryIo, SFM_READ, &decoder->info, decoder->memory.get());
    return Wrap(std::move(decoder), format, "memory");
}

RefPtr<SoundFileSource> SoundFileSource::Wrap(std::unique_ptr<Decoder> decoder, SampleFormat format,
                                              const char* source) {
    const SF_INFO& info = decoder->info;
    if (!decoder->file) {
        PlatformReportFailure("audio: cannot open sound: %s: %s", source, sf_strerror(nullptr));
        return nullptr;
    }
    if (!MatchesFormat(info.format, format)) {
        PlatformReportFailure("audio: sound format refused: %s: not the format asked for", source);
        return nullptr;
    }
    if (info.channels < 1 || info.samplerate < 1 || info.samplerate > kMaxSampleRate) {
        PlatformReportFailure("audio: sound format refused: %s: %d channels at %d Hz", source, info.channels,
                              info.samplerate);
        return nullptr;
    }
    // Float data beyond full scale saturates instead of wrapping around.
    sf_command(decoder->file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    return RefPtr<SoundFileSource>::Adopt(new SoundFileSource(std::move(decoder)));
}

SoundFileSource::SoundFileSource(std::unique_ptr<Decoder> decoder) : decoder_(std::move(decoder)) {
    if (decoder_->info.channels > 2)
        wideFrames_.resize(static_cast<size_t>(kWideChunkFrames) * static_cast<size_t>(decoder_->info.channels));
}

SoundFileSource::~SoundFileSource() = default;

int SoundFileSource::getChannelCount() { return decoder_->info.channels == 1 ? 1 : 2; }

int SoundFileSource::getSampleRate() { return decoder_->info.samplerate; }

int64_t SoundFileSource::getLength() {
    const sf_count_t frames = decoder_->info.frames;
    // libsndfile reports an unknown length as a huge count.
    return frames > 0 && frames < SF_COUNT_MAX / 2 ? frames : 0;
}

bool SoundFileSource::isSeekable() { return decoder_->info.seekable != 0; }

int SoundFileSource::read(int16_t* out, int frameCount) {
    if (!out || frameCount <= 0) return 0;
    std::lock_guard<std::mutex> lock(mutex_);
    const sf_count_t got = decoder_->info.channels > 2 ? ReadFirstTwoChannels(out, frameCount)
                                                       : sf_readf_short(decoder_->file, out, frameCount);
    const int frames = static_cast<int>(std::clamp<sf_count_t>(got, 0, frameCount));
    position_ += frames;
    return frames;
}

int SoundFileSource::ReadFirstTwoChannels(int16_t* out, int frameCount) {
    const int channels = decoder_->info.channels;
    int done = 0;
    while (done < frameCount) {
        const int want = std::min(kWideChunkFrames, frameCount - done);
        const sf_count_t got = sf_readf_short(decoder_->file, wideFrames_.data(), want);
        if (got <= 0) break;
        for (sf_count_t i = 0; i < got; ++i) {
            out[2 * (done + i)] = wideFrames_[static_cast<size_t>(i * channels)];
            out[2 * (done + i) + 1] = wideFrames_[static_cast<size_t>(i * channels + 1)];
        }
        done += static_cast<int>(got);
        if (got < want) break;
    }
    return done;
}

bool SoundFileSource::setPosition(int64_t frame) {
    if (frame < 0) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    if (!decoder_->info.seekable) return frame == position_;
    const sf_count_t reached = sf_seek(decoder_->file, frame, SEEK_SET);
    if (reached < 0) return false;
    position_ = reached;
    return true;
}

int64_t SoundFileSource::getPosition() {
    std::lock_guard<std::mutex> lock(mutex_);
    return position_;
}

}  // namespace OvAudio

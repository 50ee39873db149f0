#include "ovcore/audio/device/AudioApi.h"

#include "ovcore/audio/device/DecodedSource.h"
#include "ovcore/audio/device/SoundFileSource.h"

namespace OvAudio {

namespace {

bool ToSampleFormat(int format, SampleFormat& out) {
    if (format < static_cast<int>(SampleFormat::Detect) || format > static_cast<int>(SampleFormat::Mp3)) return false;
    out = static_cast<SampleFormat>(format);
    return true;
}

}  // namespace

RefPtr<AudioDevice> AdrOpenDevice(const char* name, const char* /*parameters*/) { return AudioDevice::Open(name); }

RefPtr<SampleSource> AdrOpenSampleSource(const char* path, int format) {
    SampleFormat kind;
    if (!ToSampleFormat(format, kind)) return nullptr;
    return SoundFileSource::OpenFile(path, kind);
}

RefPtr<SampleSource> AdrOpenSampleSourceFromMemory(const void* bytes, size_t size, int format) {
    SampleFormat kind;
    if (!ToSampleFormat(format, kind)) return nullptr;
    return SoundFileSource::OpenMemory(bytes, size, kind);
}

RefPtr<SoundEffect> AdrOpenSoundEffect(const RefPtr<AudioDevice>& device, const RefPtr<SampleSource>& source,
                                       int type) {
    if (!device || !source) return nullptr;
    const SoundEffectType kind =
        type == static_cast<int>(SoundEffectType::Multiple) ? SoundEffectType::Multiple : SoundEffectType::Single;
    return SoundEffect::Create(device, *source, kind);
}

RefPtr<OutputStream> AdrOpenSound(const RefPtr<AudioDevice>& device, const RefPtr<SampleSource>& source,
                                  bool streaming) {
    if (!device || !source) return nullptr;
    if (streaming) return OutputStream::Create(device, source);
    RefPtr<DecodedSource> decoded = DecodedSource::Decode(*source);
    if (!decoded) return nullptr;
    return OutputStream::Create(device, decoded);
}

}  // namespace OvAudio

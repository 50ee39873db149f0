#include "ovcore/engine/script/CompiledScript.h"

#include <array>
#include <cstring>

namespace ov {

namespace {

constexpr char kMagic[8] = {'O', 'V', 'L', 'U', 'M', 'E', 'T', 0};
constexpr uint32_t kVersion = 1;

std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit) value = (value & 1) ? 0xEDB88320u ^ (value >> 1) : value >> 1;
        table[i] = value;
    }
    return table;
}

void PutWord(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetWord(const uint8_t* in) { return in[0] | in[1] << 8 | in[2] << 16 | static_cast<uint32_t>(in[3]) << 24; }

}  // namespace

uint32_t Crc32(const void* data, size_t size) {
    static const std::array<uint32_t, 256> table = MakeCrcTable();
    const auto* bytes = static_cast<const uint8_t*>(data);
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::vector<uint8_t> PackScript(std::string_view source) {
    std::vector<uint8_t> packed(kCompiledHeaderBytes + source.size());
    std::memcpy(packed.data(), kMagic, sizeof(kMagic));
    PutWord(&packed[8], kVersion);
    PutWord(&packed[12], static_cast<uint32_t>(source.size()));
    PutWord(&packed[16], Crc32(source.data(), source.size()));
    PutWord(&packed[20], Crc32(packed.data(), 20));
    if (!source.empty()) std::memcpy(&packed[kCompiledHeaderBytes], source.data(), source.size());
    return packed;
}

bool UnpackScript(const uint8_t* data, size_t size, std::string_view& source, std::string& message) {
    if (!data || size < kCompiledHeaderBytes || std::memcmp(data, kMagic, sizeof(kMagic)) != 0) {
        message = "Not a compiled script";
        return false;
    }
    if (GetWord(data + 20) != Crc32(data, 20)) {
        message = "Compiled script header damaged";
        return false;
    }
    if (GetWord(data + 8) != kVersion) {
        message = "Compiled script of another version";
        return false;
    }
    const uint32_t length = GetWord(data + 12);
    if (length != size - kCompiledHeaderBytes) {
        message = "Compiled script cut short or padded";
        return false;
    }
    const uint8_t* text = data + kCompiledHeaderBytes;
    if (GetWord(data + 16) != Crc32(text, length)) {
        message = "Compiled script damaged";
        return false;
    }
    source = std::string_view(reinterpret_cast<const char*>(text), length);
    return true;
}

}  // namespace ov

// The engine's compiled script format: a header that names the format and
// its version, the source's size and CRC-32, and the header's own CRC-32,
// then the checked source text. Lua bytecode is never stored or loaded, so
// damaged or foreign bytes can at worst fail to unpack.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ov {

constexpr size_t kCompiledHeaderBytes = 24;

uint32_t Crc32(const void* data, size_t size);
std::vector<uint8_t> PackScript(std::string_view source);
// The source inside; false (with a message) for anything not packed by
// PackScript or changed since.
bool UnpackScript(const uint8_t* data, size_t size, std::string_view& source, std::string& message);

}  // namespace ov

// Whole files read into memory and written in one piece.
#pragma once

#include <cstddef>
#include <string>

namespace ov {

// False when the file cannot be read or is larger than limit bytes.
bool ReadWholeFile(const char* path, std::string& out, size_t limit);
// Writes to a temporary file beside path and renames it over path, so the
// file is either the old one or the new one whole.
bool WriteWholeFile(const char* path, const void* data, size_t size);

}  // namespace ov

#pragma once

#include <cstdint>

// Whole-range reads and failure-safe writes of disk files, for OV_MEMORY_FILE.
namespace OvCore::DiskFile {

struct ReadResult {
    uint8_t* array = nullptr;  // from calloc; null when arraySize is 0
    uint32_t arraySize = 0;
    uint32_t bytesRead = 0;
};

// Reads up to length bytes from offset into a fresh array of length bytes;
// length 0 stands for the whole file's size. False when the file cannot be
// opened or read, offset lies beyond its end, or the array would not fit 32
// bits.
bool ReadRange(const char* path, uint32_t offset, uint32_t length, ReadResult& result);

// Makes path hold n bytes at offset with zeros before them (an empty file
// when n is 0). The bytes go to a new file beside the target, which then
// replaces it, so a failed write leaves the old file untouched.
bool Replace(const char* path, uint32_t offset, const void* bytes, uint32_t n);

// Appends n bytes, creating the file when missing; on a failed write the
// file is cut back to its old length.
bool Append(const char* path, const void* bytes, uint32_t n);

// The file's size, or 0 when it cannot be opened or its size does not fit.
uint32_t SizeOf(const char* path);

}  // namespace OvCore::DiskFile

// The disk side of OV_MEMORY_FILE: reads, failure-safe replacing writes and journaled appends.
#pragma once

#include <cstdint>

// Whole-range reads and failure-safe writes of disk files, for OV_MEMORY_FILE.
namespace OvCore::DiskFile {

// What ReadRange gives.
struct ReadResult {
    uint8_t* array = nullptr;  // from calloc; null when arraySize is 0
    uint32_t arraySize = 0;  // the array's size in bytes
    uint32_t bytesRead = 0;  // bytes read into it, up to arraySize
};

// Reading and sizing first undo an append that was cut short.
// Reads up to length bytes from offset into a fresh array of length bytes;
// length 0 stands for the whole file's size. False when the file cannot be
// opened or read, offset lies beyond its end, or the array would not fit 32
// bits.
bool ReadRange(const char* path, uint32_t offset, uint32_t length, ReadResult& result);

// Makes path hold n bytes at offset with zeros before them (an empty file
// when n is 0). The bytes go to a new file in the target's folder, unnamed
// where the filesystem allows it, are flushed to disk, and only then does
// the file take the target's place (the folder is flushed after): a failed
// write, a killed process or a power cut leaves the old file or the new
// one. Temporaries left by killed saves on filesystems without unnamed
// files are removed by the next save of the same target.
bool Replace(const char* path, uint32_t offset, const void* bytes, uint32_t n);

// Appends n bytes, creating the file when missing, through the target's
// append journal (data/AppendJournal.h): the bytes land whole or, after a
// failure, a kill or a power cut, the file is as it was by the time it is
// next read, sized, saved or appended to here. False while another live
// process is appending to the same file.
bool Append(const char* path, const void* bytes, uint32_t n);

// The file's size, or 0 when it cannot be opened or its size does not fit.
uint32_t SizeOf(const char* path);

}  // namespace OvCore::DiskFile

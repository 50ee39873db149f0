// OV_ID3_TAG and ReadId3Tag: the ID3v1 tag at the end of a sound file.
#pragma once

namespace OvCore {

// The ID3v1 record: the 125 bytes after the "TAG" mark in the last 128
// bytes of a sound file, as the file holds them (space- or zero-padded).
struct OV_ID3_TAG {
    // The record's fields as the file holds them, not zero-terminated:
    char title[30];
    char artist[30];
    char album[30];
    char year[4];
    char comment[30];
    unsigned char genre;
};
static_assert(sizeof(OV_ID3_TAG) == 125, "OV_ID3_TAG is the 125-byte ID3v1 record");

// Fills tag from the file's ID3v1 block. False, with tag unchanged, for a
// missing file, one shorter than the block, or one whose block lacks the mark.
bool ReadId3Tag(const char* path, OV_ID3_TAG* tag);

}  // namespace OvCore

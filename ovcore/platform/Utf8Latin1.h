// UTF-8 text to Latin-1 characters.
#pragma once

#include "ovcore/platform/PlatformApi.h"

#include <cstddef>

// Decodes at most `length` bytes of UTF-8 (stopping at a NUL) and writes each
// code point up to U+00FF to `out`, at most `capacity` of them; returns how
// many were written. Code points above U+00FF, overlong forms, surrogates and
// malformed sequences are dropped.
OV_PLATFORM_API size_t Utf8ToLatin1(const char* text, size_t length, unsigned char* out, size_t capacity);

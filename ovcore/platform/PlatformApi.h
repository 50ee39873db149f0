// OV_PLATFORM_API marks what libOvPlatform.so exports: the Windows-compatible
// calls, the platform's own extensions and diagnostics, and the few helpers
// the engine library and the tests share with it. Everything else in the
// library is built hidden.
#pragma once

#if defined(__GNUC__)
#define OV_PLATFORM_API __attribute__((visibility("default")))
#else
#define OV_PLATFORM_API
#endif

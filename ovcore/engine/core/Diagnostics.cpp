// The engine's view of the failure reports the platform layer keeps.
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Diagnostics.h"

extern "C" OV_API const char* OvLastError(void) { return PlatformLastFailure(); }

extern "C" OV_API void OvLogCallback(OvLogFunction callback, void* user) { PlatformSetLogCallback(callback, user); }

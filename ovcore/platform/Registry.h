// Platform extensions for the registry beyond the Windows calls.
#pragma once

#include "ovcore/platform/PlatformApi.h"

#include <string>

// Closes the registry database; the next registry call opens it again at the
// place the environment names then (OV_REGISTRY_PATH, else under
// $XDG_CONFIG_HOME). Keys opened before become stale (ERROR_KEY_DELETED).
OV_PLATFORM_API void PlatformRegistryClose();
// The file the registry lives in now.
OV_PLATFORM_API std::string PlatformRegistryPath();

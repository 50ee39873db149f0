// The framework's version. The framework's libraries are static, so their
// version is the one of the headers a program was built with; the engine
// library is loaded at run time and says its own with OvVersion().
#pragma once

#include "ovcore/engine/OrvoCore.h"

// The framework's major, minor and patch version and the "major.minor.patch" text,
// the engine header's numbers:
#define OVCORE_VERSION_MAJOR OV_VERSION_MAJOR
#define OVCORE_VERSION_MINOR OV_VERSION_MINOR
#define OVCORE_VERSION_PATCH OV_VERSION_PATCH
#define OVCORE_VERSION OV_VERSION

namespace OvCore {

// "major.minor.patch" of the framework a program was built with.
const char* VersionText();
// True when the loaded engine library is the one the framework was built
// against (same major and minor version, as its SONAME promises).
bool EngineVersionMatches();

}  // namespace OvCore

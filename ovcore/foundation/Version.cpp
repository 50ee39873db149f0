#include "ovcore/foundation/Version.h"

#define OVCORE_TEXT(x) #x
#define OVCORE_VERSION_TEXT(major, minor, patch) OVCORE_TEXT(major) "." OVCORE_TEXT(minor) "." OVCORE_TEXT(patch)

namespace OvCore {

const char* VersionText() {
    return OVCORE_VERSION_TEXT(OVCORE_VERSION_MAJOR, OVCORE_VERSION_MINOR, OVCORE_VERSION_PATCH);
}

bool EngineVersionMatches() { return OvVersion() / 100 == OVCORE_VERSION / 100; }

}  // namespace OvCore

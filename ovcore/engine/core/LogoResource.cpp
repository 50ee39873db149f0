#include "ovcore/engine/core/LogoResource.h"

#include "ovcore/platform/Platform.h"
#include "ovcore/platform/Windows.h"

namespace ov {

namespace {
constexpr WORD kLogoType = 1024;
constexpr WORD kLogoId = 1;
}  // namespace

bool RegisterLogoResource() {
    HMODULE module = GetModuleHandleA("Orvo Core.dll");
    // Added at the first initiation; later ones find it there. Adding first
    // keeps the normal case from reporting a failed lookup.
    return PlatformAddResource(module, kLogoType, kLogoId, kLogoImage, kLogoImage_size) ||
           FindResourceA(module, MAKEINTRESOURCE(kLogoId), MAKEINTRESOURCE(kLogoType)) != nullptr;
}

}  // namespace ov

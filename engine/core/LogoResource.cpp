#include "engine/core/LogoResource.h"

#include "platform/Platform.h"
#include "platform/Windows.h"

namespace ov {

namespace {
constexpr WORD kLogoType = 1024;
constexpr WORD kLogoId = 1;
}  // namespace

bool RegisterLogoResource() {
    HMODULE module = GetModuleHandleA("Orvo Core.dll");
    if (FindResourceA(module, MAKEINTRESOURCE(kLogoId), MAKEINTRESOURCE(kLogoType))) return true;
    return PlatformAddResource(module, kLogoType, kLogoId, kLogoImage, kLogoImage_size);
}

}  // namespace ov

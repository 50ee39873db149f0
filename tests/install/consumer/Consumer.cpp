// An outside program: builds against the installed headers and libraries,
// checks that it got the engine it was built for, and uses a little of each
// layer. Prints "consumer ok <version>" and exits 0 when all of it works.
#include "render/Texture.h"  // the program's own, beside the framework's

#include "ovcore/launch/EntryPoint.h"
#include "ovcore/render/Texture.h"
#include "ovcore/foundation/String.h"
#include "ovcore/foundation/Version.h"
#include "ovcore/engine/OrvoCore.h"

#include <cstdio>
#include <cstring>

int main() {
    if (OvVersion() != OV_VERSION || !OvCore::EngineVersionMatches()) {
        std::printf("engine %d, headers %d\n", OvVersion(), OV_VERSION);
        return 1;
    }
    OvCore::OV_STRING text;
    text.Format("%s-%d", "Gorvane", 7);
    if (text != "Gorvane-7") return 2;
    OvHandle texture{};
    if (!OvInitiation() || !OvTextureCreate(&texture)) return 3;
    const int loaded = OvTextureLoad(texture, "no-such-file.ovt", 1);
    OvTextureDestroy(texture);
    OvClosure();
    if (loaded) return 4;
    if (!std::strstr(OvLastError(), "no-such-file.ovt")) {
        std::printf("last error: %s\n", OvLastError());
        return 5;
    }
    // Both texture types live side by side.
    ConsumerTexture own;
    OvCore::OV_TEXTURE framework;
    if (own.width != 0 || framework.loaded) return 6;
    // The framework's own font is found in the installed tree, beside the library.
    const char* font = OvFontDefaultPath();
    if (!font || !std::strstr(font, "/lib/../share/OvCore/fonts/DejaVuSans.ttf")) {
        std::printf("default font: %s\n", font ? font : OvLastError());
        return 7;
    }
    // The framework's entry point links too.
    volatile auto entry = &OvCore::OvMain;
    std::printf("consumer ok %s%s\n", OvCore::VersionText(), entry ? "" : "?");
    return 0;
}

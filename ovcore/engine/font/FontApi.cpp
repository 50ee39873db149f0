// The font functions of the engine's C interface.
#include "ovcore/engine/font/FontDraw.h"
#include "ovcore/engine/font/FontStore.h"
#include "ovcore/engine/OrvoCore.h"

extern "C" OV_API int OvGenerateFont(OvHandle* font, const void* glyphTable) {
    if (!font) return 0;
    const OvHandle created = ov::Fonts().Create(static_cast<const OvGlyphTable*>(glyphTable));
    if (created.word1 == 0) return 0;
    *font = created;
    return 1;
}

extern "C" OV_API void OvDrawFont(OvHandle font, const char* text) {
    const ov::Font* found = ov::Fonts().Find(font);
    if (found && text) ov::DrawFontText(*found, text);
}

extern "C" OV_API void OvDisplaylistDestroy(OvHandle font) {
    ov::Fonts().Destroy(font);
}

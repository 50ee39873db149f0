// The live engine fonts by handle.
#pragma once

#include "ovcore/engine/core/HandleTable.h"
#include "ovcore/engine/font/Font.h"
#include "ovcore/engine/OrvoCore.h"

#include <cstdint>
#include <memory>

namespace ov {

class FontStore {
public:
    // A grid font when table is null; an empty handle when memory fails.
    OvHandle Create(const OvGlyphTable* table);
    // A TrueType font drawn from its face's atlas with table.
    OvHandle CreateTrueType(std::unique_ptr<TrueTypeFace> face, const OvGlyphTable& table);
    // Null for empty, unknown and destroyed handles.
    const Font* Find(OvHandle handle) const;
    Font* Find(OvHandle handle) { return const_cast<Font*>(static_cast<const FontStore*>(this)->Find(handle)); }
    void Destroy(OvHandle handle) { fonts_.Destroy(handle); }
    // Frees every font; handles already given out stay dead.
    void DestroyAll() { fonts_.Clear(); }
    size_t Count() const { return fonts_.Size(); }

private:
    HandleTable<Font> fonts_{"font"};
};

FontStore& Fonts();

}  // namespace ov

#include "ovcore/engine/font/FontStore.h"

#include <new>

namespace ov {

OvHandle FontStore::Create(const OvGlyphTable* table) {
    std::unique_ptr<Font> font(new (std::nothrow) Font);
    if (!font) return OV_NULL_HANDLE;
    font->grid = table == nullptr;
    if (table) font->table = *table;
    return fonts_.Add(std::move(font));
}

OvHandle FontStore::CreateTrueType(std::unique_ptr<TrueTypeFace> face, const OvGlyphTable& table) {
    const OvHandle created = Create(&table);
    if (Font* font = fonts_.Find(created)) font->face = std::move(face);
    return created;
}

const Font* FontStore::Find(OvHandle handle) const { return fonts_.Find(handle); }

FontStore& Fonts() {
    static FontStore store;
    return store;
}

}  // namespace ov

#include "ovcore/engine/font/FontStore.h"

#include <new>

namespace ov {

OvHandle FontStore::Create(const OvGlyphTable* table) {
    std::unique_ptr<Font> font(new (std::nothrow) Font);
    if (!font) return OvHandle{1, 0};
    font->id = nextId_++;
    font->grid = table == nullptr;
    if (table) font->table = *table;
    const uint32_t id = font->id;
    fonts_.emplace(id, std::move(font));
    return OvHandle{0, id};
}

OvHandle FontStore::CreateTrueType(std::unique_ptr<TrueTypeFace> face, const OvGlyphTable& table) {
    const OvHandle created = Create(&table);
    if (created.word1 != 0) fonts_[created.word1]->face = std::move(face);
    return created;
}

const Font* FontStore::Find(OvHandle handle) const {
    if ((handle.word0 & 0xFFu) != 0 || handle.word1 == 0) return nullptr;
    auto found = fonts_.find(handle.word1);
    return found == fonts_.end() ? nullptr : found->second.get();
}

void FontStore::Destroy(OvHandle handle) {
    if (!Find(handle)) return;
    fonts_.erase(handle.word1);
}

FontStore& Fonts() {
    static FontStore store;
    return store;
}

}  // namespace ov

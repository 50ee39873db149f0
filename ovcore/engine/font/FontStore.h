// The live engine fonts by handle.
#pragma once

#include "ovcore/engine/font/Font.h"
#include "ovcore/engine/OrvoCore.h"

#include <cstdint>
#include <memory>
#include <unordered_map>

namespace ov {

class FontStore {
public:
    // A grid font when table is null; an empty handle when memory fails.
    OvHandle Create(const OvGlyphTable* table);
    // A TrueType font drawn from its face's atlas with table.
    OvHandle CreateTrueType(std::unique_ptr<TrueTypeFace> face, const OvGlyphTable& table);
    // Null for empty, unknown and destroyed handles.
    const Font* Find(OvHandle handle) const;
    Font* Find(OvHandle handle) {
        return const_cast<Font*>(static_cast<const FontStore*>(this)->Find(handle));
    }
    void Destroy(OvHandle handle);
    // Frees every font; handles already given out stay dead (ids are not reused).
    void DestroyAll() { fonts_.clear(); }
    size_t Count() const { return fonts_.size(); }

private:
    std::unordered_map<uint32_t, std::unique_ptr<Font>> fonts_;
    uint32_t nextId_ = 1;
};

FontStore& Fonts();

}  // namespace ov

#include "ovcore/data/Document.h"
#include "ovcore/data/MemoryFile.h"
#include "ovcore/gui/Gui.h"
#include "ovcore/platform/Diagnostics.h"

#include <cstring>
#include <strings.h>

namespace OvCore {

namespace {

constexpr const char* kWhitespace = " \t\n\r";

bool Named(const OV_NODE& node, const char* name) { return std::strcmp(node.name.Get(), name) == 0; }

const char* Attribute(const OV_NODE& node, const char* name) {
    const char* value = node.AttributeValue(name);
    return value ? value : "";
}

bool IsOn(const OV_NODE& node) { return std::strcmp(Attribute(node, "Mode"), "On") == 0; }

// The filter a theme names: LINEAR, anything else nearest.
float Filter(const OV_NODE& node, const char* key) {
    return std::strcmp(Attribute(node, key), "LINEAR") == 0 ? OV_TEXTURE_LINEAR : OV_TEXTURE_NEAREST;
}

float Wrap(const OV_NODE& node, const char* key) {
    return std::strcmp(Attribute(node, key), "CLAMP") == 0 ? OV_TEXTURE_CLAMP : OV_TEXTURE_REPEAT;
}

// Up to four numbers separated by ":"; components not written keep their values.
void ReadFloats(const OV_NODE& node, OV_VECTORF* out) { OV_STRING(Attribute(node, "Value")).ParseTyped(out, 'f'); }
void ReadDoubles(const OV_NODE& node, OV_VECTOR* out) { OV_STRING(Attribute(node, "Value")).ParseTyped(out, 'v'); }

// The children 0 to 3 of a corner list element, each with a Value.
void ReadCorners(const OV_NODE& element, OV_VECTORF* corners) {
    for (const OV_NODE* child = element.firstChild; child; child = child->next) {
        const char* name = child->name.Get();
        if (name[0] >= '0' && name[0] <= '3' && name[1] == 0) ReadFloats(*child, &corners[name[0] - '0']);
    }
}

int32_t Align(const char* mode, const char* before, const char* middle, const char* after, int32_t current) {
    if (std::strcmp(mode, before) == 0) return -1;
    if (std::strcmp(mode, middle) == 0) return 0;
    if (std::strcmp(mode, after) == 0) return 1;
    return current;
}

// The text of an element: its first text child.
const char* TextOf(const OV_NODE& element) {
    for (const OV_NODE* child = element.firstChild; child; child = child->next)
        if (!child->IsElement()) return child->text.Get();
    return "";
}

// The first top-level element called kind whose Name is name.
OV_NODE* FindNamed(OV_DOCUMENT& document, const char* kind, const char* name) {
    if (!name) return nullptr;
    for (OV_NODE* node = document.Root()->firstChild; node; node = node->next)
        if (Named(*node, kind) && std::strcmp(Attribute(*node, "Name"), name) == 0) return node;
    return nullptr;
}

bool ReadDocument(const char* path, OV_DOCUMENT& document) {
    OV_MEMORY_FILE file;
    if (!path || !file.LoadFromFile(path)) return false;
    return document.Parse(reinterpret_cast<const char*>(file.Data()), file.Size(), kWhitespace, true, path);
}

// The first top-level element called kind found under name, reported when
// there is none; a name that differs only in case is pointed out, since
// names are compared exactly.
const OV_NODE* FindReported(OV_DOCUMENT& document, const char* kind, const char* name, const char* what,
                            const char* source) {
    if (OV_NODE* node = FindNamed(document, kind, name)) return node;
    const char* differing = nullptr;
    for (const OV_NODE* node = document.Root()->firstChild; node && name && !differing; node = node->next)
        if (Named(*node, kind) && strcasecmp(Attribute(*node, "Name"), name) == 0) differing = Attribute(*node, "Name");
    if (differing) {
        PlatformReportFailure(
            "gui: cannot load %s: %s: no %s of that name in %s (names are case-sensitive: it has \"%s\")", what, name,
            kind, source, differing);
    } else {
        PlatformReportFailure("gui: cannot load %s: %s: no %s of that name in %s", what, name ? name : "(no name)",
                              kind, source);
    }
    return nullptr;
}

constexpr const char* kNoPath = "the document";

}  // namespace

bool OV_GUI::LoadTheme(const char* path, const char* themeName) {
    OV_DOCUMENT document;
    return ReadDocument(path, document) && ApplyThemeFrom(document, themeName, path);
}

bool OV_GUI::LoadLayout(const char* path, const char* groupName) {
    OV_DOCUMENT document;
    return ReadDocument(path, document) && ApplyLayoutFrom(document, groupName, path);
}

bool OV_GUI::ApplyTheme(OV_DOCUMENT& document, const char* themeName) {
    return ApplyThemeFrom(document, themeName, kNoPath);
}

bool OV_GUI::ApplyThemeFrom(OV_DOCUMENT& document, const char* themeName, const char* source) {
    const OV_NODE* theme = FindReported(document, "Theme", themeName, "theme", source);
    if (!theme) return false;
    // Every element is applied even after a font failed, so that the rest of
    // the theme is there whatever the caller does with the result.
    bool fontsLoaded = true;
    for (const OV_NODE* child = theme->firstChild; child; child = child->next) {
        if (Named(*child, "Texture"))
            LoadTexture(*child, themeName);
        else if (Named(*child, "Font"))
            fontsLoaded = LoadFont(*child, themeName) && fontsLoaded;
        else if (Named(*child, "Style"))
            LoadStyle(*child);
    }
    return fontsLoaded;
}

void OV_GUI::LoadTexture(const OV_NODE& element, const char* themeName) {
    OvHandle* slot = themeTextures.Get(Attribute(element, "Name"), 0);
    if (!slot) return;
    OvHandle handle = EmptyHandle();
    if (!OvTextureCreate(&handle)) return;
    // A texture that does not load is kept as an empty one: the theme still
    // loads, but the reason is told.
    if (!OvTextureLoad(handle, Attribute(element, "File"), 1)) {
        PlatformReportFailure("gui: cannot load theme texture: %s: texture \"%s\" of theme \"%s\"",
                              Attribute(element, "File"), Attribute(element, "Name"), themeName);
    }
    OvTextureActivate(handle);
    OvTextureParameter(OV_TEXTURE_MIN_FILTER, Filter(element, "MinFilter"));
    OvTextureParameter(OV_TEXTURE_MAG_FILTER, Filter(element, "MagFilter"));
    OvTextureParameter(OV_TEXTURE_WRAP_S, Wrap(element, "WrapS"));
    OvTextureParameter(OV_TEXTURE_WRAP_T, Wrap(element, "WrapT"));
    *slot = handle;
}

bool OV_GUI::LoadFont(const OV_NODE& element, const char* themeName) {
    OV_FONT* font = themeFonts.Get(Attribute(element, "Name"), 0);
    const bool loaded = font && font->Load(Attribute(element, "TexFile"), Attribute(element, "MapFile"), 10,
                                           static_cast<int>(Filter(element, "MinFilter")),
                                           static_cast<int>(Filter(element, "MagFilter")));
    if (!loaded) {
        PlatformReportFailure("gui: cannot load theme font: %s: font \"%s\" of theme \"%s\" (glyphs %s)",
                              Attribute(element, "TexFile"), Attribute(element, "Name"), themeName,
                              Attribute(element, "MapFile"));
    }
    return loaded;
}

void OV_GUI::LoadStyle(const OV_NODE& element) {
    OV_STYLE** slot = styles.Get(Attribute(element, "Name"), 0);
    if (!slot) return;
    styleList.push_back(std::make_unique<OV_STYLE>());
    OV_STYLE& style = *styleList.back();
    style.gui = this;
    for (const OV_NODE* child = element.firstChild; child; child = child->next) {
        const OV_NODE& key = *child;
        if (Named(key, "AreaColors")) {
            ReadCorners(key, style.areaColors);
        } else if (Named(key, "AreaCoords")) {
            ReadCorners(key, style.areaCoords);
        } else if (Named(key, "IconRect")) {
            ReadCorners(key, style.iconRect);
        } else if (Named(key, "AreaTexture")) {
            if (OvHandle* texture = themeTextures.Get(Attribute(key, "Name"), 0)) style.texture = *texture;
        } else if (Named(key, "AsBorder")) {
            style.asBorder = IsOn(key);
        } else if (Named(key, "TextColor")) {
            ReadDoubles(key, &style.textColor);
        } else if (Named(key, "TextFont")) {
            style.textFont = themeFonts.Get(Attribute(key, "Name"), 0);
        } else if (Named(key, "TextHalign")) {
            style.textHalign = Align(Attribute(key, "Mode"), "LEFT", "CENTER", "RIGHT", style.textHalign);
        } else if (Named(key, "TextValign")) {
            style.textValign = Align(Attribute(key, "Mode"), "TOP", "MIDDLE", "BOTTOM", style.textValign);
        } else if (Named(key, "TextOffset")) {
            ReadDoubles(key, &style.textOffset);
        } else if (Named(key, "TextScale")) {
            ReadDoubles(key, &style.textScale);
        }
    }
    *slot = &style;
}

bool OV_GUI::ApplyLayout(OV_DOCUMENT& document, const char* groupName) {
    return ApplyLayoutFrom(document, groupName, kNoPath);
}

bool OV_GUI::ApplyLayoutFrom(OV_DOCUMENT& document, const char* groupName, const char* source) {
    const OV_NODE* group = FindReported(document, "Group", groupName, "layout", source);
    if (!group) return false;
    for (const OV_NODE* child = group->firstChild; child; child = child->next)
        if (Named(*child, "Control")) LoadControl(*child);
    return true;
}

void OV_GUI::LoadControl(const OV_NODE& element) {
    OV_CONTROL* parent = nullptr;
    if (const char* parentName = element.AttributeValue("Parent")) {
        if (OV_CONTROL** entry = controls.Get(parentName, 0)) parent = *entry;
    }
    OV_CONTROL* control = CreateControl(parent);
    for (const OV_NODE* child = element.firstChild; child; child = child->next) {
        const OV_NODE& key = *child;
        if (Named(key, "Active")) {
            control->active = IsOn(key);
        } else if (Named(key, "CutArea")) {
            control->cutArea = IsOn(key);
        } else if (Named(key, "Edit")) {
            control->editable = IsOn(key);
        } else if (Named(key, "Visible")) {
            control->visible = IsOn(key);
        } else if (Named(key, "Data")) {
            const char* text = TextOf(key);
            control->SetData(text, static_cast<uint32_t>(std::strlen(text)));
            control->data.Move(0, OV_BUFFER::FROM_START);
        } else if (Named(key, "ExtendData")) {
            const char* text = TextOf(key);
            if (control->extendData.Allocate(static_cast<uint32_t>(std::strlen(text)) + 1))
                control->extendData.WriteBytes(text, static_cast<uint32_t>(std::strlen(text)) + 1);
        } else if (Named(key, "Icon")) {
            if (OvHandle* icon = themeTextures.Get(Attribute(key, "Name"), 0)) control->icon = *icon;
        } else if (Named(key, "MessageProc")) {
            OV_MESSAGE_PROC* procedure = messageProcs.Access(FIND, Attribute(key, "Name"), 0).Value();
            control->messageProc = procedure ? *procedure : nullptr;
        } else if (Named(key, "Position")) {
            ReadDoubles(key, &control->position);
        } else if (Named(key, "Size")) {
            ReadDoubles(key, &control->size);
        } else if (Named(key, "Style")) {
            OV_STYLE** style = styles.Access(FIND, Attribute(key, "Name"), 0).Value();
            control->style = style ? *style : nullptr;
        }
    }
    if (const char* name = element.AttributeValue("Name")) {
        control->name = name;
        if (OV_CONTROL** entry = controls.Get(name, 0)) *entry = control;
    }
}

}  // namespace OvCore

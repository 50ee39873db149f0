#include "tools/markup/GuiFileCheck.h"

#include "ovcore/data/Document.h"
#include "ovcore/data/MemoryFile.h"
#include "ovcore/gui/controls/ReadyControls.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

using namespace OvCore;

namespace {

bool Is(const OV_NODE& node, const char* name) { return std::strcmp(node.name.Get(), name) == 0; }

bool OneOf(const char* value, std::initializer_list<const char*> allowed) {
    for (const char* candidate : allowed)
        if (std::strcmp(value, candidate) == 0) return true;
    return false;
}

bool FileReadable(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (file) std::fclose(file);
    return file != nullptr;
}

// Up to four numbers separated by ":", as the loaders read vectors.
bool IsVector(const char* text) {
    if (!*text) return false;
    int parts = 0;
    for (const char* at = text;; ++at) {
        char* end = nullptr;
        std::strtod(at, &end);
        if (end == at || ++parts > 4) return false;
        if (*end == 0) return true;
        if (*end != ':') return false;
        at = end;
    }
}

// A file read and parsed as the loaders do, with the line of each element:
// the elements of the tree in document order are the opening tags of the
// text in order.
class CheckedFile {
public:
    const char* path;
    OV_DOCUMENT document;
    int errors = 0;

    explicit CheckedFile(const char* filePath) : path(filePath) {}

    bool Read() {
        OV_MEMORY_FILE file;
        if (!file.LoadFromFile(path)) return Fail(0, "file", "cannot be read");
        const char* text = reinterpret_cast<const char*>(file.Data());
        const size_t size = file.Size();
        if (!document.Parse(text, size, " \t\n\r", true)) return Fail(0, "file", "holds no markup");
        std::vector<int> tagLines;
        int line = 1;
        for (size_t i = 0; i < size && text[i]; ++i) {
            if (text[i] == '\n') ++line;
            if (text[i] != '<') continue;
            size_t first = i + 1;
            while (first < size && (text[first] == ' ' || text[first] == '\t')) ++first;
            if (first < size && text[first] != '/' && text[first] != '>') tagLines.push_back(line);
        }
        size_t index = 0;
        for (const OV_NODE* node = document.Root()->firstChild; node;) {
            if (node->IsElement()) lines_[node] = index < tagLines.size() ? tagLines[index++] : 0;
            if (node->firstChild) {
                node = node->firstChild;
                continue;
            }
            while (node && !node->next) node = node->parent == document.Root() ? nullptr : node->parent;
            if (node) node = node->next;
        }
        return true;
    }

    int Line(const OV_NODE& node) const {
        auto found = lines_.find(&node);
        return found == lines_.end() ? 0 : found->second;
    }

    bool Fail(int line, const std::string& key, const std::string& what) {
        std::printf("error: %s:%d: %s: %s\n", path, line, key.c_str(), what.c_str());
        ++errors;
        return false;
    }
    void Fail(const OV_NODE& node, const std::string& key, const std::string& what) { Fail(Line(node), key, what); }

    // The first top-level element called kind with that Name.
    const OV_NODE* FindNamed(const char* kind, const char* name) {
        for (const OV_NODE* node = document.Root()->firstChild; node; node = node->next)
            if (Is(*node, kind) && node->AttributeValue("Name") && std::strcmp(node->AttributeValue("Name"), name) == 0)
                return node;
        return nullptr;
    }

    // Attributes outside allowed, and required ones that are missing.
    void Attributes(const OV_NODE& element, const std::string& key, std::initializer_list<const char*> allowed,
                    std::initializer_list<const char*> required) {
        for (const OV_ATTRIBUTE* attribute = element.firstAttribute; attribute; attribute = attribute->next)
            if (!OneOf(attribute->name.Get(), allowed))
                Fail(element, key, std::string("unknown attribute ") + attribute->name.Get());
        for (const char* name : required)
            if (!element.AttributeValue(name)) Fail(element, key, std::string("no ") + name);
    }
    // An attribute whose value must be one of the words given (when present).
    void Choice(const OV_NODE& element, const std::string& key, const char* attribute,
                std::initializer_list<const char*> allowed, bool required) {
        const char* value = element.AttributeValue(attribute);
        if (!value) {
            if (required) Fail(element, key, std::string("no ") + attribute);
            return;
        }
        if (OneOf(value, allowed)) return;
        std::string words;
        for (const char* word : allowed) words += (words.empty() ? "" : ", ") + std::string(word);
        Fail(element, key, std::string(attribute) + " \"" + value + "\" is none of " + words);
    }
    void Vector(const OV_NODE& element, const std::string& key) {
        Attributes(element, key, {"Value"}, {"Value"});
        const char* value = element.AttributeValue("Value");
        if (value && !IsVector(value))
            Fail(element, key, std::string("Value \"") + value + "\" is not up to four numbers separated by \":\"");
    }
    void File(const OV_NODE& element, const std::string& key, const char* attribute) {
        const char* value = element.AttributeValue(attribute);
        if (value && !FileReadable(value))
            Fail(element, key, std::string(attribute) + " " + value + " cannot be opened");
    }
    void Filters(const OV_NODE& element, const std::string& key) {
        for (const char* filter : {"MinFilter", "MagFilter"})
            Choice(element, key, filter, {"LINEAR", "NEAREST"}, false);
    }

private:
    std::map<const OV_NODE*, int> lines_;  // the line of each element's opening tag
};

void CheckCorners(CheckedFile& file, const OV_NODE& list, const std::string& key) {
    for (const OV_NODE* corner = list.firstChild; corner; corner = corner->next) {
        if (!corner->IsElement()) continue;
        const std::string cornerKey = key + " / " + corner->name.Get();
        if (!OneOf(corner->name.Get(), {"0", "1", "2", "3"}))
            file.Fail(*corner, cornerKey, "a corner is 0, 1, 2 or 3");
        else
            file.Vector(*corner, cornerKey);
    }
}

void CheckStyle(CheckedFile& file, const OV_NODE& style, const std::set<std::string>& textures,
                const std::set<std::string>& fonts) {
    file.Attributes(style, "Style", {"Name"}, {"Name"});
    const char* styleName = style.AttributeValue("Name");
    const std::string owner = std::string("Style ") + (styleName ? styleName : "?");
    for (const OV_NODE* child = style.firstChild; child; child = child->next) {
        if (!child->IsElement()) continue;
        const std::string key = owner + " / " + child->name.Get();
        const char* name = child->AttributeValue("Name");
        if (Is(*child, "AreaColors") || Is(*child, "AreaCoords") || Is(*child, "IconRect")) {
            file.Attributes(*child, key, {}, {});
            CheckCorners(file, *child, key);
        } else if (Is(*child, "AreaTexture")) {
            file.Attributes(*child, key, {"Name"}, {"Name"});
            if (name && !textures.count(name)) file.Fail(*child, key, std::string("no texture ") + name + " before it");
        } else if (Is(*child, "TextFont")) {
            file.Attributes(*child, key, {"Name"}, {"Name"});
            if (name && !fonts.count(name)) file.Fail(*child, key, std::string("no font ") + name + " in the theme");
        } else if (Is(*child, "AsBorder")) {
            file.Attributes(*child, key, {"Mode"}, {});
            file.Choice(*child, key, "Mode", {"On", "Off"}, true);
        } else if (Is(*child, "TextHalign")) {
            file.Attributes(*child, key, {"Mode"}, {});
            file.Choice(*child, key, "Mode", {"LEFT", "CENTER", "RIGHT"}, true);
        } else if (Is(*child, "TextValign")) {
            file.Attributes(*child, key, {"Mode"}, {});
            file.Choice(*child, key, "Mode", {"TOP", "MIDDLE", "BOTTOM"}, true);
        } else if (Is(*child, "TextColor") || Is(*child, "TextOffset") || Is(*child, "TextScale")) {
            file.Vector(*child, key);
        } else {
            file.Fail(*child, key, "unknown key");
        }
    }
}

// The integer settings each ready control reads from ExtendData.
const std::map<std::string, std::set<std::string>>& ReadySettings() {
    static const std::map<std::string, std::set<std::string>> settings = {{"CheckBox", {"checked"}},
                                                                          {"Slider", {"min", "max", "step", "value"}},
                                                                          {"TextEntry", {"limit"}},
                                                                          {"List", {"row", "selected"}}};
    return settings;
}

void CheckSettings(CheckedFile& file, const OV_NODE& element, const std::string& key, const std::string& procedure) {
    auto known = ReadySettings().find(procedure);
    if (known == ReadySettings().end()) return;
    const OV_NODE* text = element.firstChild;
    if (!text || text->IsElement()) return;
    const std::string words = text->text.Get();
    for (size_t at = 0; at < words.size();) {
        const size_t end = std::min(words.find(' ', at), words.size());
        const std::string word = words.substr(at, end - at);
        at = end + 1;
        const size_t equals = word.find('=');
        if (equals == std::string::npos || !known->second.count(word.substr(0, equals))) continue;
        const std::string number = word.substr(equals + 1);
        char* stop = nullptr;
        std::strtol(number.c_str(), &stop, 10);
        if (number.empty() || *stop != 0) file.Fail(element, key, word + ": " + procedure + " takes a whole number");
    }
}

}  // namespace

int CheckThemeFile(const char* path, const char* themeName) {
    CheckedFile file(path);
    if (!file.Read()) return file.errors;
    const OV_NODE* theme = file.FindNamed("Theme", themeName);
    if (!theme) return 0;  // gui_check says so when loading
    file.Attributes(*theme, "Theme", {"Name"}, {"Name"});
    std::set<std::string> textures, fonts;
    for (const OV_NODE* child = theme->firstChild; child; child = child->next)
        if (Is(*child, "Font") && child->AttributeValue("Name")) fonts.insert(child->AttributeValue("Name"));
    for (const OV_NODE* child = theme->firstChild; child; child = child->next) {
        if (!child->IsElement()) continue;
        const char* name = child->AttributeValue("Name");
        const std::string key = std::string(child->name.Get()) + " " + (name ? name : "?");
        if (Is(*child, "Texture")) {
            file.Attributes(*child, key, {"Name", "File", "MinFilter", "MagFilter", "WrapS", "WrapT"},
                            {"Name", "File"});
            file.Filters(*child, key);
            for (const char* wrap : {"WrapS", "WrapT"}) file.Choice(*child, key, wrap, {"CLAMP", "REPEAT"}, false);
            file.File(*child, key, "File");
            if (name) textures.insert(name);
        } else if (Is(*child, "Font")) {
            file.Attributes(*child, key, {"Name", "TexFile", "MapFile", "MinFilter", "MagFilter"},
                            {"Name", "TexFile", "MapFile"});
            file.Filters(*child, key);
            file.File(*child, key, "TexFile");
            file.File(*child, key, "MapFile");
        } else if (Is(*child, "Style")) {
            CheckStyle(file, *child, textures, fonts);
        } else {
            file.Fail(*child, child->name.Get(), "unknown element in a Theme");
        }
    }
    return file.errors;
}

int CheckLayoutFile(OV_GUI& gui, const char* path, const char* groupName, std::set<std::string>& controls) {
    CheckedFile file(path);
    if (!file.Read()) return file.errors;
    const OV_NODE* group = file.FindNamed("Group", groupName);
    if (!group) return 0;
    file.Attributes(*group, "Group", {"Name"}, {"Name"});
    std::set<std::string> unregistered;
    for (const OV_NODE* control = group->firstChild; control; control = control->next) {
        if (!control->IsElement()) continue;
        if (!Is(*control, "Control")) {
            file.Fail(*control, control->name.Get(), "unknown element in a Group");
            continue;
        }
        const char* name = control->AttributeValue("Name");
        const std::string owner = std::string("Control ") + (name ? name : "(unnamed)");
        file.Attributes(*control, owner, {"Name", "Parent"}, {});
        if (const char* parent = control->AttributeValue("Parent"); parent && !controls.count(parent))
            file.Fail(*control, owner + " / Parent", std::string("no control ") + parent + " before it");
        std::string procedure;
        const OV_NODE* settings = nullptr;
        for (const OV_NODE* child = control->firstChild; child; child = child->next) {
            if (!child->IsElement()) continue;
            const std::string key = owner + " / " + child->name.Get();
            const char* value = child->AttributeValue("Name");
            if (Is(*child, "Position") || Is(*child, "Size")) {
                file.Vector(*child, key);
            } else if (Is(*child, "Active") || Is(*child, "Visible") || Is(*child, "Edit") || Is(*child, "CutArea")) {
                file.Attributes(*child, key, {"Mode"}, {});
                file.Choice(*child, key, "Mode", {"On", "Off"}, true);
            } else if (Is(*child, "Data") || Is(*child, "ExtendData")) {
                file.Attributes(*child, key, {}, {});
                if (Is(*child, "ExtendData")) settings = child;
            } else if (Is(*child, "Style")) {
                file.Attributes(*child, key, {"Name"}, {"Name"});
                if (value && !gui.FindStyle(value))
                    file.Fail(*child, key, std::string("no style ") + value + " in the theme");
            } else if (Is(*child, "Icon")) {
                file.Attributes(*child, key, {"Name"}, {"Name"});
                if (value && !gui.themeTextures.Access(FIND, value, 0).Value())
                    file.Fail(*child, key, std::string("no texture ") + value + " in the theme");
            } else if (Is(*child, "MessageProc")) {
                file.Attributes(*child, key, {"Name"}, {"Name"});
                if (value) procedure = value;
                if (value && !gui.messageProcs.Access(FIND, value, 0).Value() && unregistered.insert(value).second)
                    std::printf("procedure %s must be registered by the program\n", value);
            } else {
                file.Fail(*child, key, "unknown key");
            }
        }
        if (settings) CheckSettings(file, *settings, owner + " / ExtendData", procedure);
        if (name && !controls.insert(name).second) file.Fail(*control, owner, "a control of this name comes before it");
    }
    return file.errors;
}

#include "ovcore/render/TechniqueShaders.h"

#include "ovcore/render/TechniqueHandlers.h"

#include <cstring>

namespace OvCore {

const char TECHNIQUE_SHADER_HEADER[] =
    "!EXTERNAL: TechniqueShader\n"
    "!KEYWORDS: FALSE TRUE COLOR DEPTH STENCIL ACCUM ENABLE DISABLE MODEL SCENE ZERO ONE SRC_COLOR "
    "ONE_MINUS_SRC_COLOR DST_COLOR ONE_MINUS_DST_COLOR SRC_ALPHA ONE_MINUS_SRC_ALPHA DST_ALPHA "
    "ONE_MINUS_DST_ALPHA SRC_ALPHA_SATURATE CONSTANT_COLOR ONE_MINUS_CONSTANT_COLOR CONSTANT_ALPHA "
    "ONE_MINUS_CONSTANT_ALPHA FLOAT VEC2 VEC3 VEC4 INT IVEC2 IVEC3 IVEC4 TEXTURE CANVAS\n"
    "!DEFINITIONS: 10d\n"
    "EXECUTE\tVARIABLE\n"
    "CLEAR\tKEYWORD\n"
    "PASS\tKEYWORD VARIABLE VARIABLE\n"
    "CANVAS\tKEYWORD\tVARIABLE KEYWORD\n"
    "RECT\tKEYWORD VARIABLE VARIABLE VARIABLE KEYWORD\n"
    "IMAGE\tVARIABLE VARIABLE KEYWORD\n"
    "COLOR\tKEYWORD VARIABLE\n"
    "BLEND\tKEYWORD KEYWORD\n"
    "PARAM\tKEYWORD VARIABLE VARIABLE VARIABLE\n"
    "ATTRIB\tKEYWORD VARIABLE VARIABLE VARIABLE\n"
    "!END\n";

namespace {

OvLumetDefinitionList* definitions = nullptr;

struct NamedHandler {
    const char* command;
    OvLumetHandler handler;
};

constexpr NamedHandler kHandlers[] = {
    {"EXECUTE", TechniqueExecute}, {"CLEAR", TechniqueClear},   {"PASS", TechniquePass},   {"CANVAS", TechniqueCanvas},
    {"RECT", TechniqueRect},       {"IMAGE", TechniqueImage},   {"COLOR", TechniqueColor}, {"BLEND", TechniqueBlend},
    {"PARAM", TechniqueParam},     {"ATTRIB", TechniqueAttrib},
};

}  // namespace

void InitTechniqueShaders() {
    OvLumetUnlinkDefinitions();
    OvLumetFreeDefinitionList(definitions);
    definitions = nullptr;
    const auto length = static_cast<uint32_t>(std::strlen(TECHNIQUE_SHADER_HEADER));
    if (OvLumetLinkDefinition("TechniqueShader", TECHNIQUE_SHADER_HEADER, length)) {
        definitions = OvLumetBuildDefinitionList();
    }
    OvLumetUnlinkDefinitions();
    OvLumetClearDefinitionsProc();
    for (const NamedHandler& named : kHandlers)
        OvLumetAddDefinitionProc("TechniqueShader", named.command, named.handler);
}

const OvLumetDefinitionList* TechniqueDefinitions() { return definitions; }

int TechniqueBlendValue(uintptr_t keyword) {
    if (keyword < TK_ZERO || keyword > TK_ONE_MINUS_CONSTANT_ALPHA) return 0;
    return OV_BLEND_ZERO + static_cast<int>(keyword - TK_ZERO);
}

}  // namespace OvCore

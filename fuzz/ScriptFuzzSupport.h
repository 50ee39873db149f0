// The technique extension linked with handlers that only read their
// arguments (a keyword's range, a cell's value), and a small budget, so that
// fuzzed scripts run fast without a display.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "fuzz/FuzzInput.h"
#include "ovcore/render/TechniqueShaders.h"

#include <cstring>

inline uintptr_t fuzzCells[4] = {0, 1, 2, 3};

inline void ReadArguments(const uintptr_t* stream, int count) {
    for (int i = 0; i < count; ++i) {
        const uintptr_t argument = stream[i];
        const auto first = reinterpret_cast<uintptr_t>(fuzzCells);
        if (argument >= first) {
            FuzzCheck(argument < first + sizeof(fuzzCells));
            FuzzCheck(*reinterpret_cast<const uintptr_t*>(argument) < 4);
        } else {
            FuzzCheck(argument < 35);
        }
    }
}

inline const OvLumetDefinitionList* FuzzDefinitions() {
    static const OvLumetDefinitionList* list = [] {
        OvLumetSetLimits(200'000, 4u << 20);
        OvLumetSetTimeLimit(1000);
        const char* header = OvCore::TECHNIQUE_SHADER_HEADER;
        OvLumetLinkDefinition("TechniqueShader", header, static_cast<uint32_t>(std::strlen(header)));
        const OvLumetDefinitionList* built = OvLumetBuildDefinitionList();
        OvLumetUnlinkDefinitions();
        const struct {
            const char* name;
            OvLumetHandler handler;
        } commands[] = {
            {"EXECUTE", [](const uintptr_t* s) { ReadArguments(s, 1); }},
            {"CLEAR", [](const uintptr_t* s) { ReadArguments(s, 1); }},
            {"PASS", [](const uintptr_t* s) { ReadArguments(s, 3); }},
            {"CANVAS", [](const uintptr_t* s) { ReadArguments(s, 3); }},
            {"RECT", [](const uintptr_t* s) { ReadArguments(s, 5); }},
            {"IMAGE", [](const uintptr_t* s) { ReadArguments(s, 3); }},
            {"COLOR", [](const uintptr_t* s) { ReadArguments(s, 2); }},
            {"BLEND", [](const uintptr_t* s) { ReadArguments(s, 2); }},
            {"PARAM", [](const uintptr_t* s) { ReadArguments(s, 4); }},
            {"ATTRIB", [](const uintptr_t* s) { ReadArguments(s, 4); }},
        };
        for (const auto& command : commands) OvLumetAddDefinitionProc("TechniqueShader", command.name, command.handler);
        return built;
    }();
    return list;
}

#include "ovcore/engine/OrvoCore.h"
#include "fuzz/FuzzInput.h"

// A definition header from outside: linked or refused; a linked one builds
// a list whose keywords and commands a script can see.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::string name = input.TakeWord(80);
    OvLumetUnlinkDefinitions();
    const int linked = OvLumetLinkDefinition(name.c_str(), input.RestData(), static_cast<uint32_t>(input.RestSize()));
    FuzzCheck(linked == 1 || *OvLumetLastLog() != 0);
    if (!linked) return 0;
    OvLumetDefinitionList* list = OvLumetBuildDefinitionList();
    OvLumetBuffer script{0, nullptr, nullptr};
    const char source[] = "local n = 0 for k, v in pairs(_G) do n = n + 1 end";
    FuzzCheck(OvLumetCompile(&script, source, sizeof(source) - 1, list) == 1);
    FuzzCheck(OvLumetExecute(&script, nullptr, 0, list) == 1);
    OvLumetFree(&script);
    OvLumetFreeDefinitionList(list);
    OvLumetUnlinkDefinitions();
    return 0;
}

#include "fuzz/ScriptFuzzSupport.h"

// Compiled bytes from outside: refused or run within the budget, never a
// crash. The first byte chooses between the bytes as they are and the rest
// compiled first, so that the fuzzer also reaches running scripts. Each
// script runs twice.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const OvLumetDefinitionList* definitions = FuzzDefinitions();
    FuzzInput input(data, size);
    const bool compileFirst = input.TakeByte() & 1;
    OvLumetBuffer script{0, nullptr, nullptr};
    if (compileFirst) {
        if (!OvLumetCompile(&script, input.RestData(), static_cast<uint32_t>(input.RestSize()), definitions)) return 0;
    } else {
        script = OvLumetBuffer{static_cast<uint32_t>(input.RestSize()),
                               const_cast<uint8_t*>(reinterpret_cast<const uint8_t*>(input.RestData())), nullptr};
    }
    // Twice: the second run starts from the state the first left behind.
    OvLumetExecute(&script, fuzzCells, 4, definitions);
    OvLumetExecute(&script, fuzzCells, 4, definitions);
    if (compileFirst) OvLumetFree(&script);
    return 0;
}

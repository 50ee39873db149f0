#include "fuzz/ScriptFuzzSupport.h"

// Source text from outside: compiling either fails with a message or gives
// bytes that unpack and run within the budget.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const OvLumetDefinitionList* definitions = FuzzDefinitions();
    OvLumetBuffer script{0, nullptr, nullptr};
    if (!OvLumetCompile(&script, reinterpret_cast<const char*>(data), static_cast<uint32_t>(size), definitions)) {
        FuzzCheck(*OvLumetLastLog() != 0);
        FuzzCheck(script.data == nullptr);
        return 0;
    }
    FuzzCheck(script.data != nullptr && script.capacity > size);
    OvLumetExecute(&script, fuzzCells, 4, definitions);
    OvLumetFree(&script);
    return 0;
}

// The script functions of the engine's C interface.
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/core/WholeFile.h"
#include "ovcore/engine/script/CompiledScript.h"
#include "ovcore/engine/script/Definitions.h"
#include "ovcore/engine/script/PreparedScripts.h"
#include "ovcore/engine/script/Sandbox.h"
#include "ovcore/platform/Diagnostics.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr size_t kMaximumSourceBytes = 16u << 20;
constexpr size_t kMaximumCompiledBytes = ov::kCompiledHeaderBytes + kMaximumSourceBytes;
// Host functions called from scripts may execute scripts in turn.
constexpr int kMaximumNesting = 16;

std::string& LastLog() {
    static std::string log;
    return log;
}

int Succeed() {
    LastLog().clear();
    return 1;
}

int Fail(std::string message) {
    LastLog() = std::move(message);
    return 0;
}

// The log keeps every line for OvLumetLastLog; the failure report gets its
// first one.
int Reported(int done, const char* what, const char* name) {
    if (done) return 1;
    const char* log = LastLog().c_str();
    PlatformReportFailure("script: %s: %s: %.*s", what, name ? name : "(null)",
                          static_cast<int>(std::strcspn(log, "\r\n")), log);
    return 0;
}

const OvLumetDefinitionList& ListOrEmpty(const OvLumetDefinitionList* definitions) {
    static const OvLumetDefinitionList empty;
    return definitions ? *definitions : empty;
}

// The checked, packed form of a source text; false with the log set when
// the text does not parse.
bool CompileText(const char* text, uint32_t size, std::vector<uint8_t>& packed) {
    if (!text && size > 0) return Fail("No source text");
    if (size > kMaximumSourceBytes) return Fail("Source text too large");
    const std::string_view source(text ? text : "", size);
    std::string message;
    ov::Sandbox sandbox;
    if (!sandbox.Check(source, message)) return Fail(message);
    packed = ov::PackScript(source);
    return true;
}

// Lists freed while a script runs stay until the outermost run ends: the
// running script's commands still point into them.
struct Running {
    int nesting = 0;
    std::vector<OvLumetDefinitionList*> freed;
};

Running& Runs() {
    static Running running;
    return running;
}

bool ReadSource(const char* path, std::string& source) {
    if (!path || !ov::ReadWholeFile(path, source, kMaximumSourceBytes)) {
        Fail(std::string("Cannot read script file ") + (path ? path : "(null)"));
        return false;
    }
    return true;
}

bool Store(OvLumetBuffer* script, const std::vector<uint8_t>& packed) {
    auto* bytes = static_cast<uint8_t*>(std::malloc(packed.size()));
    if (!bytes) return Fail("Out of memory");
    std::memcpy(bytes, packed.data(), packed.size());
    *script = OvLumetBuffer{static_cast<uint32_t>(packed.size()), bytes, bytes};
    return Succeed();
}

int CompileInto(OvLumetBuffer* script, const char* text, uint32_t size) {
    if (!script) return Fail("No script buffer");
    std::vector<uint8_t> packed;
    if (!CompileText(text, size, packed)) return 0;
    return Store(script, packed);
}

int CompileToTarget(const char* text, uint32_t size, const char* target) {
    if (!target) return Fail("No target file");
    std::vector<uint8_t> packed;
    if (!CompileText(text, size, packed)) return 0;
    if (!ov::WriteWholeFile(target, packed.data(), packed.size())) {
        return Fail(std::string("Cannot write ") + target);
    }
    return Succeed();
}

}  // namespace

extern "C" OV_API int OvLumetLinkDefinition(const char* name, const char* header, uint32_t length) {
    if (!header) return Fail("No definition header");
    std::string message;
    if (!ov::Definitions().Link(name, std::string_view(header, length), message)) return Fail(message);
    return Succeed();
}

extern "C" OV_API OvLumetDefinitionList* OvLumetBuildDefinitionList(void) { return ov::Definitions().Build(); }

extern "C" OV_API void OvLumetFreeDefinitionList(OvLumetDefinitionList* list) {
    if (Runs().nesting > 0 && list) {
        Runs().freed.push_back(list);
        return;
    }
    ov::Prepared().Forget(list);
    delete list;
}

extern "C" OV_API void OvLumetUnlinkDefinitions(void) { ov::Definitions().Unlink(); }

extern "C" OV_API void OvLumetClearDefinitionsProc(void) { ov::Definitions().ClearHandlers(); }

extern "C" OV_API int OvLumetAddDefinitionProc(const char* external, const char* command, OvLumetHandler handler) {
    return ov::Definitions().AddHandler(external, command, handler) ? 1 : 0;
}

extern "C" OV_API int OvLumetCompile(OvLumetBuffer* script, const char* text, uint32_t size,
                                     const OvLumetDefinitionList*) {
    return Reported(CompileInto(script, text, size), "cannot compile script", "text");
}

extern "C" OV_API int OvLumetCompileFile(OvLumetBuffer* script, const char* path, const OvLumetDefinitionList*) {
    std::string source;
    if (!script) return Reported(Fail("No script buffer"), "cannot compile script", path);
    if (!ReadSource(path, source)) return Reported(0, "cannot compile script", path);
    return Reported(CompileInto(script, source.data(), static_cast<uint32_t>(source.size())), "cannot compile script",
                    path);
}

extern "C" OV_API int OvLumetCompileToFile(const char* text, uint32_t size, const char* target,
                                           const OvLumetDefinitionList*) {
    return Reported(CompileToTarget(text, size, target), "cannot compile script", "text");
}

extern "C" OV_API int OvLumetCompileFileToFile(const char* source, const char* target, const OvLumetDefinitionList*) {
    std::string text;
    if (!ReadSource(source, text)) return Reported(0, "cannot compile script", source);
    return Reported(CompileToTarget(text.data(), static_cast<uint32_t>(text.size()), target), "cannot compile script",
                    source);
}

extern "C" OV_API int OvLumetExecute(const OvLumetBuffer* script, uintptr_t* arguments, uint32_t count,
                                     const OvLumetDefinitionList* definitions) {
    constexpr const char* kRun = "cannot run script";
    constexpr const char* kName = "compiled script";
    Running& runs = Runs();
    if (!script || !script->data || script->capacity > kMaximumCompiledBytes)
        return Reported(Fail("Not a compiled script"), kRun, kName);
    if (!arguments && count > 0) return Reported(Fail("No argument list"), kRun, kName);
    if (runs.nesting >= kMaximumNesting) return Reported(Fail("Scripts nested too deeply"), kRun, kName);
    std::string_view source;
    std::string message;
    if (!ov::UnpackScript(script->data, script->capacity, source, message)) return Reported(Fail(message), kRun, kName);
    ++runs.nesting;
    const bool ran = ov::Prepared().Run(source, ListOrEmpty(definitions), arguments, count, message);
    if (--runs.nesting == 0) {
        for (OvLumetDefinitionList* list : runs.freed) {
            ov::Prepared().Forget(list);
            delete list;
        }
        runs.freed.clear();
    }
    return ran ? Succeed() : Reported(Fail(message), kRun, kName);
}

extern "C" OV_API void OvLumetFree(OvLumetBuffer* script) {
    if (!script) return;
    std::free(script->data);
    *script = OvLumetBuffer{0, nullptr, nullptr};
}

extern "C" OV_API const char* OvLumetLastLog(void) { return LastLog().c_str(); }

extern "C" OV_API void OvLumetSetLimits(uint64_t instructions, uint64_t bytes) {
    if (instructions > 0) ov::Limits().instructions = instructions;
    if (bytes > 0) ov::Limits().bytes = bytes;
}

extern "C" OV_API void OvLumetSetTimeLimit(uint32_t milliseconds) {
    if (milliseconds > 0) ov::Limits().milliseconds = milliseconds;
}

// A script in a Lua state of its own: only the base, string, table, math and
// utf8 libraries, without anything that reaches files, the process, other
// code or the interpreter's internals; commands of the definition list as
// functions, its keywords as integer constants. Prepared once, it may run
// many times, each run with a budget of instructions and of time, and with
// globals of its own: every run starts from the same globals, whatever an
// earlier run changed. The byte budget covers everything the state holds,
// across runs. Finalizers (__gc) are refused: Lua runs them outside the
// instruction count.
#pragma once

#include "ovcore/engine/script/Definitions.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct lua_State;

namespace ov {

struct ScriptLimits {
    uint64_t instructions = 5'000'000;
    uint64_t bytes = 16u << 20;
    uint32_t milliseconds = 5000;  // wall-clock time of one run
};

ScriptLimits& Limits();

// The variables of one run: the host's cells.
struct ScriptCells {
    uintptr_t* cells = nullptr;
    size_t count = 0;
};

// What a command function needs: its definition, its handler, the number of
// keywords of its extension and the variables of the run.
struct CommandBinding {
    const Definition* extension = nullptr;
    const CommandDefinition* command = nullptr;
    OvLumetHandler handler = nullptr;
    size_t keywordCount = 0;
    const ScriptCells* cells = nullptr;
};

struct ScriptBudget {
    uint64_t bytesLimit = 0;
    uint64_t bytesUsed = 0;
    int64_t instructionsLeft = 0;
    uint64_t deadline = 0;  // steady-clock nanoseconds; 0: none
    uint32_t growthsUnchecked = 0;
    bool bytesExceeded = false;
    bool instructionsExceeded = false;
    bool timeExceeded = false;
    bool Exceeded() const { return bytesExceeded || instructionsExceeded || timeExceeded; }
    // True (and timeExceeded set) once the deadline has passed.
    bool PastDeadline();
};

class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    // Parses the source; false with the message and line of the first error.
    bool Check(std::string_view source, std::string& message);
    // Loads the source with the list's commands and keywords; the list must
    // outlive the sandbox. False with a message when it cannot.
    bool Prepare(std::string_view source, const OvLumetDefinitionList& list, std::string& message);
    // Runs the prepared script; it gets a variable for each of the cells as
    // its arguments (...). False with a message for an error or a budget run
    // out; the sandbox should then be dropped.
    bool Execute(uintptr_t* cells, size_t cellCount, std::string& message);

private:
    bool Protected(int (*body)(lua_State*), std::string& message);
    void StartBudget();
    static int CheckBody(lua_State* state);
    static int PrepareBody(lua_State* state);
    static int ExecuteBody(lua_State* state);
    void BindCommands(const OvLumetDefinitionList& list);
    void DescribeFailure(std::string& message) const;

    lua_State* state_ = nullptr;
    ScriptBudget budget_;
    std::string_view source_;
    const OvLumetDefinitionList* list_ = nullptr;
    ScriptCells cells_;
    std::vector<CommandBinding> bindings_;
};

}  // namespace ov

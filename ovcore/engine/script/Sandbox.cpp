#include "ovcore/engine/script/Sandbox.h"

#include "ovcore/engine/script/SandboxLibraries.h"
#include "ovcore/engine/script/ScriptCommands.h"

#include <lua.hpp>

#include <chrono>
#include <cstdlib>

namespace ov {

namespace {

constexpr int kInstructionsPerHook = 1000;
constexpr const char* kChunkName = "=script";
// The allocator reads the clock on every growth of this size or more, and
// on one in kGrowthsPerClock of the smaller ones.
constexpr size_t kLargeGrowth = 64 * 1024;
constexpr uint32_t kGrowthsPerClock = 16;

uint64_t SteadyNanoseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

void* BudgetedAlloc(void* userData, void* block, size_t oldSize, size_t newSize) {
    auto* budget = static_cast<ScriptBudget*>(userData);
    const size_t held = block ? oldSize : 0;
    if (newSize == 0) {
        budget->bytesUsed -= held;
        std::free(block);
        return nullptr;
    }
    if (newSize > held && budget->bytesUsed - held + newSize > budget->bytesLimit) {
        budget->bytesExceeded = true;
        return nullptr;
    }
    // Library calls run without the instruction count, but most of them
    // allocate: past the deadline, growing fails.
    if (newSize > held && budget->deadline &&
        (newSize - held >= kLargeGrowth || ++budget->growthsUnchecked >= kGrowthsPerClock)) {
        budget->growthsUnchecked = 0;
        if (budget->PastDeadline()) return nullptr;
    }
    void* grown = std::realloc(block, newSize);
    if (!grown) return nullptr;
    budget->bytesUsed = budget->bytesUsed - held + newSize;
    return grown;
}

void CountInstructions(lua_State* state, lua_Debug* where) {
    ScriptBudget& budget = BudgetOf(state);
    budget.instructionsLeft -= kInstructionsPerHook;
    const char* spent = nullptr;
    if (budget.instructionsLeft <= 0) {
        budget.instructionsExceeded = true;
        spent = "instruction budget";
    } else if (budget.PastDeadline()) {
        spent = "time limit";
    } else {
        return;
    }
    lua_getinfo(state, "Sl", where);
    luaL_error(state, "%s:%d: %s exhausted", where->short_src, where->currentline, spent);
}

Sandbox* SandboxOf(lua_State* state) { return static_cast<Sandbox*>(lua_touserdata(state, lua_upvalueindex(1))); }

}  // namespace

bool ScriptBudget::PastDeadline() {
    if (!timeExceeded && deadline && SteadyNanoseconds() >= deadline) timeExceeded = true;
    return timeExceeded;
}

ScriptLimits& Limits() {
    static ScriptLimits limits;
    return limits;
}

Sandbox::Sandbox() {
    StartBudget();
    state_ = lua_newstate(BudgetedAlloc, &budget_);
    if (!state_) return;
    *static_cast<ScriptBudget**>(lua_getextraspace(state_)) = &budget_;
    lua_sethook(state_, CountInstructions, LUA_MASKCOUNT, kInstructionsPerHook);
}

Sandbox::~Sandbox() {
    if (!state_) return;
    lua_close(state_);  // scripts cannot leave finalizers
}

bool Sandbox::Check(std::string_view source, std::string& message) {
    source_ = source;
    return Protected(CheckBody, message);
}

bool Sandbox::Prepare(std::string_view source, const OvLumetDefinitionList& list, std::string& message) {
    source_ = source;
    list_ = &list;
    BindCommands(list);
    const bool prepared = Protected(PrepareBody, message);
    source_ = {};
    return prepared;
}

bool Sandbox::Execute(uintptr_t* cells, size_t cellCount, std::string& message) {
    cells_ = ScriptCells{cells, cellCount};
    // What earlier runs left is garbage now; collected before it could
    // crowd this run out of the budget.
    if (state_ && budget_.bytesUsed > Limits().bytes / 2) lua_gc(state_, LUA_GCCOLLECT);
    StartBudget();
    const bool ran = Protected(ExecuteBody, message);
    cells_ = ScriptCells{};
    return ran;
}

// A full budget of instructions and time for the next run; the bytes are
// those of the whole state, whatever it holds already.
void Sandbox::StartBudget() {
    budget_.bytesLimit = Limits().bytes;
    budget_.instructionsLeft = static_cast<int64_t>(Limits().instructions);
    budget_.deadline = Limits().milliseconds ? SteadyNanoseconds() + uint64_t{Limits().milliseconds} * 1'000'000 : 0;
    budget_.growthsUnchecked = 0;
    budget_.bytesExceeded = false;
    budget_.instructionsExceeded = false;
    budget_.timeExceeded = false;
}

void Sandbox::BindCommands(const OvLumetDefinitionList& list) {
    size_t total = 0;
    for (const Definition& definition : list.definitions) total += definition.commands.size();
    bindings_.clear();
    bindings_.reserve(total);
    for (const Definition& definition : list.definitions) {
        for (const CommandDefinition& command : definition.commands) {
            OvLumetHandler handler = Definitions().HandlerFor(definition.external, command.name);
            bindings_.push_back(CommandBinding{&definition, &command, handler, definition.keywords.size(), &cells_});
        }
    }
}

bool Sandbox::Protected(int (*body)(lua_State*), std::string& message) {
    if (!state_) {
        message = "No script state could be made";
        return false;
    }
    lua_pushlightuserdata(state_, this);
    lua_pushcclosure(state_, body, 1);
    if (lua_pcall(state_, 0, 0, 0) == LUA_OK) return true;
    const char* text = lua_tostring(state_, -1);
    message = text ? text : "script: error object is not a string";
    DescribeFailure(message);
    lua_settop(state_, 0);
    return false;
}

void Sandbox::DescribeFailure(std::string& message) const {
    if (budget_.timeExceeded) {
        // Raised by the count hook with the line; by the allocator without.
        if (message.find("time limit exhausted") == std::string::npos) message = "script: time limit exhausted";
    } else if (budget_.bytesExceeded) {
        message = "script: memory budget of " + std::to_string(Limits().bytes) + " bytes exhausted";
    }
}

int Sandbox::CheckBody(lua_State* state) {
    Sandbox* self = SandboxOf(state);
    if (luaL_loadbufferx(state, self->source_.data(), self->source_.size(), kChunkName, "t") != LUA_OK) {
        return lua_error(state);
    }
    return 0;
}

// Keeps the loaded chunk and the metatable of its per-run globals in the
// registry, under the sandbox's address and the chunk's.
int Sandbox::PrepareBody(lua_State* state) {
    Sandbox* self = SandboxOf(state);
    OpenSandboxLibraries(state);
    RegisterKeywords(state, *self->list_);
    RegisterCommands(state, *self->list_, self->bindings_);
    if (luaL_loadbufferx(state, self->source_.data(), self->source_.size(), kChunkName, "t") != LUA_OK) {
        return lua_error(state);
    }
    lua_rawsetp(state, LUA_REGISTRYINDEX, self);
    PushRunGlobalsMetatable(state);
    lua_rawsetp(state, LUA_REGISTRYINDEX, &self->bindings_);
    return 0;
}

// Each run gets globals of its own that fall back on the prepared ones, so
// that what one run sets, there or in a library table, is gone at the next.
int Sandbox::ExecuteBody(lua_State* state) {
    Sandbox* self = SandboxOf(state);
    lua_rawgetp(state, LUA_REGISTRYINDEX, self);
    lua_createtable(state, 0, 0);
    lua_rawgetp(state, LUA_REGISTRYINDEX, &self->bindings_);
    lua_setmetatable(state, -2);
    lua_setupvalue(state, -2, 1);
    PushVariables(state, self->cells_);
    lua_call(state, static_cast<int>(self->cells_.count), 0);
    return 0;
}

}  // namespace ov

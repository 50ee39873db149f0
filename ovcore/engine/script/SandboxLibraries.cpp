#include "ovcore/engine/script/SandboxLibraries.h"

#include <lua.hpp>

#include <iterator>

namespace ov {

namespace {

// Loaders of outside code, the collector's controls (a script could stop
// collection) and output to the host's streams.
constexpr const char* kRemovedBase[] = {"load", "loadfile", "dofile", "collectgarbage", "print", "warn", "require"};
// Pattern matching runs in C without counting instructions: a crafted
// pattern could backtrack for hours inside one call.
constexpr const char* kRemovedString[] = {"find", "match", "gmatch", "gsub", "pack", "unpack", "packsize", "dump"};

void Require(lua_State* state, const char* name, lua_CFunction open) {
    luaL_requiref(state, name, open, 1);
    lua_pop(state, 1);
}

void RemoveFields(lua_State* state, int table, const char* const* names, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        lua_pushnil(state);
        lua_setfield(state, table, names[i]);
    }
}

// pcall and xpcall that hand a spent budget on: a script cannot catch the
// error that stops it.
int RethrowSpentBudget(lua_State* state, int status) {
    if (status != LUA_OK && BudgetOf(state).Exceeded()) return lua_error(state);
    return status;
}

int BudgetedPcall(lua_State* state) {
    luaL_checkany(state, 1);
    const int status = lua_pcall(state, lua_gettop(state) - 1, LUA_MULTRET, 0);
    RethrowSpentBudget(state, status);
    lua_pushboolean(state, status == LUA_OK);
    lua_insert(state, 1);
    return lua_gettop(state);
}

// The script's message handler, skipped once the budget is spent: Lua runs
// a message handler before it unwinds, and after an error raised by the
// instruction count it would run without further counting.
int GuardedHandler(lua_State* state) {
    if (BudgetOf(state).Exceeded()) return 1;
    lua_pushvalue(state, lua_upvalueindex(1));
    lua_insert(state, 1);
    lua_call(state, lua_gettop(state) - 1, 1);
    return 1;
}

int BudgetedXpcall(lua_State* state) {
    const int arguments = lua_gettop(state) - 2;
    luaL_checktype(state, 2, LUA_TFUNCTION);
    lua_pushvalue(state, 2);
    lua_pushcclosure(state, GuardedHandler, 1);  // f, handler, args..., guard
    lua_copy(state, 1, 2);  // f, f, args..., guard
    lua_copy(state, -1, 1);  // guard, f, args..., guard
    lua_pop(state, 1);
    const int status = lua_pcall(state, arguments, LUA_MULTRET, 1);
    RethrowSpentBudget(state, status);
    lua_pushboolean(state, status == LUA_OK);
    lua_replace(state, 1);
    return lua_gettop(state);
}

int RefuseFinalizers(lua_State* state) {
    if (lua_type(state, 2) == LUA_TTABLE) {
        lua_pushliteral(state, "__gc");
        if (lua_rawget(state, 2) != LUA_TNIL) return luaL_error(state, "finalizers (__gc) are not allowed");
        lua_pop(state, 1);
    }
    return lua_tocfunction(state, lua_upvalueindex(1))(state);
}

// The work of a library call that grows with its arguments rather than
// with memory: what it would cost is charged before it runs.
enum class Work : int { Span, Insert, Remove, Sort, Concat, Unpack, Scan, Repeat };

uint64_t Span(lua_Integer first, lua_Integer last) {
    return last < first ? 0 : static_cast<uint64_t>(last) - static_cast<uint64_t>(first) + 1;
}

uint64_t LengthOf(lua_State* state, int index) {
    if (lua_type(state, index) != LUA_TTABLE) return 0;  // the call itself refuses it
    const lua_Integer length = luaL_len(state, index);
    return length > 0 ? static_cast<uint64_t>(length) : 0;
}

uint64_t RangeCost(lua_State* state, int first) {
    if (lua_type(state, 1) != LUA_TTABLE) return 0;
    const lua_Integer from = luaL_optinteger(state, first, 1);
    const lua_Integer to = lua_isnoneornil(state, first + 1) ? luaL_len(state, 1) : luaL_checkinteger(state, first + 1);
    return Span(from, to);
}

uint64_t CostOf(lua_State* state, Work work) {
    switch (work) {
    case Work::Span: return Span(luaL_checkinteger(state, 2), luaL_checkinteger(state, 3));
    case Work::Insert: return lua_gettop(state) >= 3 ? LengthOf(state, 1) : 1;
    case Work::Remove: return lua_gettop(state) >= 2 ? LengthOf(state, 1) : 1;
    case Work::Sort: {
        const uint64_t n = LengthOf(state, 1);
        uint64_t depth = 1;
        while ((uint64_t{1} << depth) < n && depth < 63) ++depth;
        return n * depth;
    }
    case Work::Concat: return RangeCost(state, 3);
    case Work::Unpack: return RangeCost(state, 2);
    case Work::Scan: {
        size_t length = 0;
        if (lua_type(state, 1) == LUA_TSTRING) lua_tolstring(state, 1, &length);
        return length / 64 + 1;
    }
    case Work::Repeat: {
        size_t length = 0, separator = 0;
        if (lua_type(state, 1) == LUA_TSTRING) lua_tolstring(state, 1, &length);
        if (lua_type(state, 3) == LUA_TSTRING) lua_tolstring(state, 3, &separator);
        const lua_Integer count = lua_isinteger(state, 2) ? lua_tointeger(state, 2) : 0;
        if (count <= 0 || length + separator == 0) return 1;
        const uint64_t each = length + separator;
        const auto times = static_cast<uint64_t>(count);
        return times > (uint64_t{1} << 62) / each ? uint64_t{1} << 62 : each * times / 64 + 1;
    }
    }
    return 1;
}

int ChargedCall(lua_State* state) {
    ChargeWork(state, CostOf(state, static_cast<Work>(lua_tointeger(state, lua_upvalueindex(2)))));
    return lua_tocfunction(state, lua_upvalueindex(1))(state);
}

// Replaces table[name], a C function, with one that charges its work first;
// the original stays as upvalue 1, the kind of work as 2.
void Charge(lua_State* state, int table, const char* name, Work work) {
    lua_getfield(state, table, name);
    lua_pushinteger(state, static_cast<lua_Integer>(work));
    lua_pushcclosure(state, ChargedCall, 2);
    lua_setfield(state, table, name);
}

// The global table of a run reads through to the pristine globals; a
// library table found there is copied into the run's table on first use,
// so that what a run changes in it stays with that run.
int RunGlobalsIndex(lua_State* state) {
    lua_pushvalue(state, 2);
    if (lua_rawget(state, lua_upvalueindex(1)) != LUA_TTABLE) return 1;
    if (lua_rawequal(state, -1, lua_upvalueindex(1))) {
        lua_pushvalue(state, 1);  // _G is the run's own table
        return 1;
    }
    const int library = lua_gettop(state);
    lua_createtable(state, 0, 32);
    lua_pushnil(state);
    while (lua_next(state, library)) {
        lua_pushvalue(state, -2);
        lua_insert(state, -2);
        lua_rawset(state, library + 1);
    }
    lua_pushvalue(state, 2);
    lua_pushvalue(state, library + 1);
    lua_rawset(state, 1);
    return 1;
}

void ProtectMetatable(lua_State* state, int metatable) {
    lua_pushboolean(state, 0);
    lua_setfield(state, metatable, "__metatable");
}

}  // namespace

void ChargeWork(lua_State* state, uint64_t count) {
    ScriptBudget& budget = BudgetOf(state);
    budget.instructionsLeft -= static_cast<int64_t>(count > (uint64_t{1} << 62) ? uint64_t{1} << 62 : count);
    if (budget.instructionsLeft <= 0) {
        budget.instructionsExceeded = true;
        luaL_error(state, "instruction budget exhausted");
    }
    if (budget.PastDeadline()) luaL_error(state, "time limit exhausted");
}

void PushRunGlobalsMetatable(lua_State* state) {
    lua_pushliteral(state, "");
    if (lua_getmetatable(state, -1)) {
        ProtectMetatable(state, lua_gettop(state));
        lua_pop(state, 1);
    }
    lua_pop(state, 1);
    lua_createtable(state, 0, 2);
    const int metatable = lua_gettop(state);
    lua_pushglobaltable(state);
    lua_pushcclosure(state, RunGlobalsIndex, 1);
    lua_setfield(state, metatable, "__index");
    ProtectMetatable(state, metatable);
}

ScriptBudget& BudgetOf(lua_State* state) { return **static_cast<ScriptBudget**>(lua_getextraspace(state)); }

void OpenSandboxLibraries(lua_State* state) {
    Require(state, LUA_GNAME, luaopen_base);
    Require(state, LUA_STRLIBNAME, luaopen_string);
    Require(state, LUA_TABLIBNAME, luaopen_table);
    Require(state, LUA_MATHLIBNAME, luaopen_math);
    Require(state, LUA_UTF8LIBNAME, luaopen_utf8);
    lua_pushglobaltable(state);
    const int globals = lua_gettop(state);
    RemoveFields(state, globals, kRemovedBase, std::size(kRemovedBase));
    lua_pushcfunction(state, BudgetedPcall);
    lua_setfield(state, globals, "pcall");
    lua_pushcfunction(state, BudgetedXpcall);
    lua_setfield(state, globals, "xpcall");
    lua_getfield(state, globals, "setmetatable");
    lua_pushcclosure(state, RefuseFinalizers, 1);
    lua_setfield(state, globals, "setmetatable");
    lua_getfield(state, globals, LUA_STRLIBNAME);
    RemoveFields(state, lua_gettop(state), kRemovedString, std::size(kRemovedString));
    Charge(state, lua_gettop(state), "rep", Work::Repeat);
    lua_pop(state, 1);
    lua_getfield(state, globals, LUA_TABLIBNAME);
    const int table = lua_gettop(state);
    Charge(state, table, "move", Work::Span);
    Charge(state, table, "insert", Work::Insert);
    Charge(state, table, "remove", Work::Remove);
    Charge(state, table, "sort", Work::Sort);
    Charge(state, table, "concat", Work::Concat);
    Charge(state, table, "unpack", Work::Unpack);
    lua_getfield(state, globals, LUA_UTF8LIBNAME);
    for (const char* name : {"len", "offset", "codepoint"}) Charge(state, table + 1, name, Work::Scan);
    lua_pop(state, 2);
    // luaL_requiref keeps every library in the registry's LOADED table too;
    // nothing a script can reach reads it, but drop it all the same.
    lua_pushnil(state);
    lua_setfield(state, LUA_REGISTRYINDEX, LUA_LOADED_TABLE);
    lua_settop(state, globals - 1);
}

}  // namespace ov

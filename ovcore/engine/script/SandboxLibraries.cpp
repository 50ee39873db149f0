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
    lua_copy(state, 1, 2);                       // f, f, args..., guard
    lua_copy(state, -1, 1);                      // guard, f, args..., guard
    lua_pop(state, 1);
    const int status = lua_pcall(state, arguments, LUA_MULTRET, 1);
    RethrowSpentBudget(state, status);
    lua_pushboolean(state, status == LUA_OK);
    lua_replace(state, 1);
    return lua_gettop(state);
}

}  // namespace

ScriptBudget& BudgetOf(lua_State* state) {
    return **static_cast<ScriptBudget**>(lua_getextraspace(state));
}

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
    lua_getfield(state, globals, LUA_STRLIBNAME);
    RemoveFields(state, lua_gettop(state), kRemovedString, std::size(kRemovedString));
    lua_pop(state, 1);
    // luaL_requiref keeps every library in the registry's LOADED table too;
    // nothing a script can reach reads it, but drop it all the same.
    lua_pushnil(state);
    lua_setfield(state, LUA_REGISTRYINDEX, LUA_LOADED_TABLE);
    lua_settop(state, globals - 1);
}

}  // namespace ov

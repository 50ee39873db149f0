#include "ovcore/engine/script/ScriptCommands.h"

#include <lua.hpp>

namespace ov {

namespace {

int CallCommand(lua_State* state);

// A keyword argument: an integer in the extension's range, or a command of
// the same extension that shares its name with one of its keywords.
uintptr_t KeywordArgument(lua_State* state, int index, const CommandBinding& binding) {
    if (lua_tocfunction(state, index) == CallCommand) {
        lua_getupvalue(state, index, 1);
        const auto* named = static_cast<const CommandBinding*>(lua_touserdata(state, -1));
        lua_getupvalue(state, index, 2);
        if (named->extension == binding.extension && lua_isinteger(state, -1)) {
            const auto number = static_cast<uintptr_t>(lua_tointeger(state, -1));
            lua_pop(state, 2);
            return number;
        }
        lua_pop(state, 2);
    }
    int isInteger = 0;
    const lua_Integer number = lua_tointegerx(state, index, &isInteger);
    if (!isInteger || lua_type(state, index) != LUA_TNUMBER || number < 0 ||
        static_cast<size_t>(number) >= binding.keywordCount) {
        luaL_argerror(state, index, "keyword expected");
    }
    return static_cast<uintptr_t>(number);
}

// A variable argument: the address of one of this run's cells.
uintptr_t VariableArgument(lua_State* state, int index, const CommandBinding& binding) {
    const ScriptCells& cells = *binding.cells;
    const auto address = reinterpret_cast<uintptr_t>(lua_touserdata(state, index));
    const auto first = reinterpret_cast<uintptr_t>(cells.cells);
    const uintptr_t end = first + cells.count * sizeof(uintptr_t);
    if (lua_type(state, index) != LUA_TLIGHTUSERDATA || address < first || address >= end ||
        (address - first) % sizeof(uintptr_t) != 0) {
        luaL_argerror(state, index, "variable expected");
    }
    return address;
}

int CallCommand(lua_State* state) {
    const auto& binding = *static_cast<const CommandBinding*>(lua_touserdata(state, lua_upvalueindex(1)));
    const char* kinds = binding.command->arguments.c_str();
    const int expected = static_cast<int>(binding.command->arguments.size());
    if (lua_gettop(state) != expected) {
        return luaL_error(state, "%s takes %d arguments, not %d", binding.command->name.c_str(), expected,
                          lua_gettop(state));
    }
    uintptr_t stream[kMaximumArguments];
    for (int i = 0; i < expected; ++i) {
        stream[i] = kinds[i] == static_cast<char>(ArgumentKind::Keyword) ? KeywordArgument(state, i + 1, binding)
                                                                         : VariableArgument(state, i + 1, binding);
    }
    if (binding.handler) binding.handler(stream);
    return 0;
}

// The keyword of the same name in the command's extension, or nil.
void PushSharedKeyword(lua_State* state, const Definition& definition, const std::string& name) {
    for (size_t i = 0; i < definition.keywords.size(); ++i) {
        if (definition.keywords[i] == name) {
            lua_pushinteger(state, static_cast<lua_Integer>(i));
            return;
        }
    }
    lua_pushnil(state);
}

}  // namespace

void RegisterKeywords(lua_State* state, const OvLumetDefinitionList& list) {
    for (auto definition = list.definitions.rbegin(); definition != list.definitions.rend(); ++definition) {
        for (size_t i = 0; i < definition->keywords.size(); ++i) {
            lua_pushinteger(state, static_cast<lua_Integer>(i));
            lua_setglobal(state, definition->keywords[i].c_str());
        }
    }
}

void RegisterCommands(lua_State* state, const OvLumetDefinitionList& list, std::vector<CommandBinding>& bindings) {
    size_t next = 0;
    for (const Definition& definition : list.definitions) {
        for (const CommandDefinition& command : definition.commands) {
            lua_pushlightuserdata(state, &bindings[next++]);
            PushSharedKeyword(state, definition, command.name);
            lua_pushcclosure(state, CallCommand, 2);
            lua_setglobal(state, command.name.c_str());
        }
    }
}

void PushVariables(lua_State* state, const ScriptCells& cells) {
    if (cells.count > kMaximumVariables) luaL_error(state, "script: more than %d variables", int(kMaximumVariables));
    luaL_checkstack(state, static_cast<int>(cells.count), "too many variables");
    for (size_t i = 0; i < cells.count; ++i) lua_pushlightuserdata(state, &cells.cells[i]);
}

}  // namespace ov

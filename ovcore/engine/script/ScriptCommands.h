// An extension's keywords and commands as globals of a script, and the
// host's cells as the script's variables.
#pragma once

#include "ovcore/engine/script/Sandbox.h"

#include <vector>

struct lua_State;

namespace ov {

constexpr size_t kMaximumVariables = 1024;

// Each keyword a global integer, its number in its extension; the first
// extension that names a keyword gives its number.
void RegisterKeywords(lua_State* state, const OvLumetDefinitionList& list);
// Each command a global function calling its binding's handler; bindings
// follow the list's commands in order. A command named like a keyword also
// stands for that keyword where a keyword is expected.
void RegisterCommands(lua_State* state, const OvLumetDefinitionList& list, std::vector<CommandBinding>& bindings);
// One light userdata per cell, the address of the cell.
void PushVariables(lua_State* state, const ScriptCells& cells);

}  // namespace ov

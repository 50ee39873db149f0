// The libraries a script may use, and the budget that the state carries in
// its extra space.
#pragma once

#include "ovcore/engine/script/Sandbox.h"

struct lua_State;

namespace ov {

ScriptBudget& BudgetOf(lua_State* state);

// Opens base, string, table, math and utf8 as globals, takes out of them
// what reaches outside the state or escapes the budget (load, loadfile,
// dofile, collectgarbage, print, warn, string patterns) and replaces pcall
// and xpcall with versions that never catch a spent budget.
void OpenSandboxLibraries(lua_State* state);

}  // namespace ov

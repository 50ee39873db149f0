// The libraries a script may use, and the budget that the state carries in
// its extra space.
#pragma once

#include "ovcore/engine/script/Sandbox.h"

struct lua_State;

namespace ov {

ScriptBudget& BudgetOf(lua_State* state);

// Opens base, string, table, math and utf8 as globals, takes out of them
// what reaches outside the state or escapes the budget (load, loadfile,
// dofile, collectgarbage, print, warn, string patterns), replaces pcall
// and xpcall with versions that never catch a spent budget, setmetatable
// with one that refuses finalizers, and the table functions whose work
// grows with their arguments with versions that charge it to the budget.
void OpenSandboxLibraries(lua_State* state);

// Charges work done inside a library call: count instructions, and the
// time limit; raises the budget's error once either is spent.
void ChargeWork(lua_State* state, uint64_t count);

// Makes the globals as they stand now the pristine ones that every run
// starts from: pushes the metatable of a run's global table, which reads
// through to them and hands each run copies of the library tables of its
// own (and the run's table itself as _G). Hides the string metatable.
void PushRunGlobalsMetatable(lua_State* state);

}  // namespace ov

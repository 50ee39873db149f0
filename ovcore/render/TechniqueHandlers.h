// The handlers of the technique extension's ten commands. Each reads its
// argument stream: a keyword's number, or the address of a variable's cell
// whose value the host bound. A cell that holds null makes the command do
// nothing, as does a keyword that is not one of its choices.
#pragma once

#include <cstdint>

namespace OvCore {

void TechniqueExecute(const uintptr_t* stream);
void TechniqueClear(const uintptr_t* stream);
void TechniquePass(const uintptr_t* stream);
void TechniqueCanvas(const uintptr_t* stream);
void TechniqueRect(const uintptr_t* stream);
void TechniqueImage(const uintptr_t* stream);
void TechniqueColor(const uintptr_t* stream);
void TechniqueBlend(const uintptr_t* stream);
void TechniqueParam(const uintptr_t* stream);
void TechniqueAttrib(const uintptr_t* stream);

}  // namespace OvCore

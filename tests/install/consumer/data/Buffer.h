// The program's own data/Buffer.h: it shadows the framework's header of that name for
// any header that would still include it by its folder alone.
#pragma once
#error "the framework reached the program's own data/Buffer.h"

// Child processes started from an argument vector (never through a shell, so
// caller text is never interpreted).
#pragma once

#include "ovcore/platform/PlatformApi.h"

#include <string>
#include <vector>

// The full path of an executable program found on PATH; empty when none.
OV_PLATFORM_API std::string FindProgram(const std::string& name);

// Runs `arguments` (program first, found on PATH unless it holds a slash),
// waits for it and collects its standard output. Its standard error goes to
// /dev/null. False when it could not be started; *exitStatus is the exit
// code, or -1 when it ended by a signal.
OV_PLATFORM_API bool RunAndCapture(const std::vector<std::string>& arguments, std::string* output, int* exitStatus);

// Starts `arguments` in `directory` (none: ours) without waiting for it and
// without leaving a zombie behind. Returns 0 once the program is running,
// else the errno of the failed start (ENOENT for a missing program).
OV_PLATFORM_API int StartDetached(const std::vector<std::string>& arguments, const std::string& directory);

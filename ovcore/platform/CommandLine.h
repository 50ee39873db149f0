// Windows command lines split into arguments: blanks separate arguments,
// double quotes group them, \" is a literal quote. A null text has none.
#pragma once

#include "ovcore/platform/PlatformApi.h"

#include <string>
#include <vector>

OV_PLATFORM_API std::vector<std::string> SplitCommandLine(const char* text);

// Latin-1 text (the program's) to UTF-8 (what SDL and the dialogs draw).
#pragma once

#include "ovcore/platform/PlatformApi.h"

#include <string>

OV_PLATFORM_API std::string Latin1ToUtf8(const char* text);

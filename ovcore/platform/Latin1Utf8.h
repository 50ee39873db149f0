// Latin-1 text (the program's) to UTF-8 (what SDL and the dialogs draw).
#pragma once

#include <string>

std::string Latin1ToUtf8(const char* text);

// Windows command lines split into arguments: blanks separate arguments,
// double quotes group them, \" is a literal quote. A null text has none.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> SplitCommandLine(const char* text);

#include "ovcore/platform/CommandLine.h"

std::vector<std::string> SplitCommandLine(const char* text) {
    std::vector<std::string> arguments;
    if (!text) return arguments;
    std::string current;
    bool inArgument = false, quoted = false;
    for (const char* c = text; *c; ++c) {
        if (*c == '\\' && c[1] == '"') {
            current += '"';
            inArgument = true;
            ++c;
        } else if (*c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((*c == ' ' || *c == '\t') && !quoted) {
            if (inArgument) arguments.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += *c;
            inArgument = true;
        }
    }
    if (inArgument) arguments.push_back(current);
    return arguments;
}

#include "tests/assets/FontDescription.h"

#include <cstdlib>

namespace OvTest {

namespace {

std::vector<std::string> Tokens(const std::string& line) {
    std::vector<std::string> tokens;
    std::string current;
    bool quoted = false, open = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            open = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (open) tokens.push_back(current);
            current.clear();
            open = false;
        } else {
            current += c;
            open = true;
        }
    }
    if (open) tokens.push_back(current);
    return tokens;
}

DescriptionLine ParseLine(const std::string& line) {
    DescriptionLine parsed;
    const std::vector<std::string> tokens = Tokens(line);
    if (tokens.empty()) return parsed;
    parsed.kind = tokens[0];
    for (size_t i = 1; i < tokens.size(); ++i) {
        const size_t equals = tokens[i].find('=');
        if (equals == std::string::npos) continue;
        parsed.values[tokens[i].substr(0, equals)] = tokens[i].substr(equals + 1);
    }
    return parsed;
}

}  // namespace

std::optional<long> DescriptionLine::Number(const std::string& key) const {
    const auto found = values.find(key);
    if (found == values.end() || found->second.empty()) return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(found->second.c_str(), &end, 10);
    if (*end != '\0') return std::nullopt;
    return value;
}

std::vector<DescriptionLine> ParseDescription(const std::string& text) {
    std::vector<DescriptionLine> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        if (end > start) lines.push_back(ParseLine(text.substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

}  // namespace OvTest

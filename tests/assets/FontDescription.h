// Reads the text glyph table the way the game's font loader does: lines cut
// at CR and LF, tokens at blanks with quoted text kept whole, key=value pairs.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace OvTest {

struct DescriptionLine {
    std::string kind;
    std::map<std::string, std::string> values;

    std::optional<long> Number(const std::string& key) const;
};

std::vector<DescriptionLine> ParseDescription(const std::string& text);

}  // namespace OvTest

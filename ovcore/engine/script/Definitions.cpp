#include "ovcore/engine/script/Definitions.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

namespace ov {

namespace {

constexpr size_t kMaximumHeaderBytes = 1u << 20;
constexpr size_t kMaximumKeywords = 4096;
constexpr size_t kMaximumCommands = 1024;
constexpr size_t kMaximumNameBytes = 64;

// Splits text at line feeds, a carriage return before one dropped.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}
    bool Next(std::string_view& line) {
        if (position_ >= text_.size()) return false;
        size_t end = text_.find('\n', position_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(position_, end - position_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        position_ = end + 1;
        ++number_;
        return true;
    }
    int Number() const { return number_; }

private:
    std::string_view text_;
    size_t position_ = 0;
    int number_ = 0;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        size_t start = i;
        while (i < text.size() && !IsBlank(text[i])) ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

// A name a script can use as a global: letters, digits and underscores, not
// starting with a digit.
bool IsName(std::string_view word) {
    if (word.empty() || word.size() > kMaximumNameBytes) return false;
    if (std::isdigit(static_cast<unsigned char>(word[0]))) return false;
    return std::all_of(word.begin(), word.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

// "!TAG: rest" -> rest; false when the line is not that tag.
bool Tagged(std::string_view line, std::string_view tag, std::string_view& rest) {
    if (line.substr(0, tag.size()) != tag) return false;
    rest = Trim(line.substr(tag.size()));
    return true;
}

// A decimal count, optionally marked with a trailing 'd'.
bool ParseCount(std::string_view text, size_t& count) {
    if (!text.empty() && text.back() == 'd') text.remove_suffix(1);
    if (text.empty() || text.size() > 6) return false;
    count = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        count = count * 10 + static_cast<size_t>(c - '0');
    }
    return true;
}

bool Fail(std::string& message, const Lines& lines, const char* what) {
    message = "Definition line " + std::to_string(lines.Number()) + ": " + what;
    return false;
}

bool ParseCommand(std::string_view line, CommandDefinition& command) {
    std::vector<std::string_view> words = Words(line);
    if (words.empty() || !IsName(words[0]) || words.size() - 1 > kMaximumArguments) return false;
    command.name = std::string(words[0]);
    command.arguments.clear();
    for (size_t i = 1; i < words.size(); ++i) {
        if (words[i] == "KEYWORD")
            command.arguments += static_cast<char>(ArgumentKind::Keyword);
        else if (words[i] == "VARIABLE")
            command.arguments += static_cast<char>(ArgumentKind::Variable);
        else
            return false;
    }
    return true;
}

template <class Item, class Name>
bool HasDuplicate(const std::vector<Item>& items, Name name) {
    std::unordered_set<std::string_view> seen;
    for (const Item& item : items)
        if (!seen.insert(name(item)).second) return true;
    return false;
}

bool ParseKeywords(std::string_view rest, Definition& out) {
    for (std::string_view word : Words(rest)) {
        if (!IsName(word) || out.keywords.size() >= kMaximumKeywords) return false;
        out.keywords.emplace_back(word);
    }
    return !HasDuplicate(out.keywords, [](const std::string& k) -> const std::string& { return k; });
}

}  // namespace

bool ParseDefinition(std::string_view header, Definition& out, std::string& message) {
    out = Definition{};
    Lines lines(header);
    std::string_view line, rest;
    if (header.size() > kMaximumHeaderBytes) return Fail(message, lines, "header too large");
    if (!lines.Next(line) || !Tagged(line, "!EXTERNAL:", rest) || !IsName(rest)) {
        return Fail(message, lines, "expected \"!EXTERNAL: name\"");
    }
    out.external = std::string(rest);
    if (!lines.Next(line) || !Tagged(line, "!KEYWORDS:", rest) || !ParseKeywords(rest, out)) {
        return Fail(message, lines, "expected \"!KEYWORDS:\" and distinct names");
    }
    size_t count = 0;
    if (!lines.Next(line) || !Tagged(line, "!DEFINITIONS:", rest) || !ParseCount(rest, count) ||
        count > kMaximumCommands) {
        return Fail(message, lines, "expected \"!DEFINITIONS: count\"");
    }
    out.commands.resize(count);
    for (CommandDefinition& command : out.commands) {
        if (!lines.Next(line) || !ParseCommand(line, command)) {
            return Fail(message, lines, "expected a command and its KEYWORD or VARIABLE arguments");
        }
    }
    if (HasDuplicate(out.commands, [](const CommandDefinition& c) -> const std::string& { return c.name; })) {
        return Fail(message, lines, "a command is defined twice");
    }
    if (!lines.Next(line) || Trim(line) != "!END") return Fail(message, lines, "expected \"!END\"");
    return true;
}

bool DefinitionRegistry::Link(const char* name, std::string_view header, std::string& message) {
    Definition parsed;
    if (!ParseDefinition(header, parsed, message)) return false;
    if (!name || parsed.external != name) {
        message = "The header names another extension";
        return false;
    }
    auto same = [&](const Definition& d) { return d.external == parsed.external; };
    linked_.erase(std::remove_if(linked_.begin(), linked_.end(), same), linked_.end());
    linked_.push_back(std::move(parsed));
    return true;
}

OvLumetDefinitionList* DefinitionRegistry::Build() const {
    auto* list = new OvLumetDefinitionList;
    list->definitions = linked_;
    return list;
}

bool DefinitionRegistry::AddHandler(const char* external, const char* command, OvLumetHandler handler) {
    if (!external || !command || !handler) return false;
    ++generation_;
    for (Handler& existing : handlers_) {
        if (existing.external == external && existing.command == command) {
            existing.handler = handler;
            return true;
        }
    }
    handlers_.push_back(Handler{external, command, handler});
    return true;
}

OvLumetHandler DefinitionRegistry::HandlerFor(const std::string& external, const std::string& command) const {
    for (const Handler& existing : handlers_) {
        if (existing.external == external && existing.command == command) return existing.handler;
    }
    return nullptr;
}

DefinitionRegistry& Definitions() {
    static DefinitionRegistry registry;
    return registry;
}

}  // namespace ov

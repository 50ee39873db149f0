// Extensions of the script language: a definition header names an
// extension, its keywords (numbered from 0 in their order) and its commands
// with the kinds of their arguments. Linked headers are gathered into a
// definition list that compiling and running use; the hosts' handlers are
// registered per extension and command.
#pragma once

#include "ovcore/engine/OrvoCore.h"

#include <string>
#include <string_view>
#include <vector>

namespace ov {

enum class ArgumentKind : char { Keyword = 'K', Variable = 'V' };

struct CommandDefinition {
    std::string name;
    // One ArgumentKind letter per argument, in order.
    std::string arguments;
};

struct Definition {
    std::string external;
    std::vector<std::string> keywords;
    std::vector<CommandDefinition> commands;
};

constexpr size_t kMaximumArguments = 16;

// Parses a header; false (with a message) when it is not well formed.
bool ParseDefinition(std::string_view header, Definition& out, std::string& message);

// The headers linked since the last unlink, one per extension name.
class DefinitionRegistry {
public:
    bool Link(const char* name, std::string_view header, std::string& message);
    void Unlink() { linked_.clear(); }
    OvLumetDefinitionList* Build() const;

    void ClearHandlers() {
        handlers_.clear();
        ++generation_;
    }
    bool AddHandler(const char* external, const char* command, OvLumetHandler handler);
    OvLumetHandler HandlerFor(const std::string& external, const std::string& command) const;
    // Changes with every change of the handlers.
    uint64_t Generation() const { return generation_; }

private:
    struct Handler {
        std::string external;
        std::string command;
        OvLumetHandler handler;
    };
    std::vector<Definition> linked_;
    std::vector<Handler> handlers_;
    uint64_t generation_ = 0;
};

DefinitionRegistry& Definitions();

}  // namespace ov

// A snapshot of the headers linked when it was built.
struct OvLumetDefinitionList {
    std::vector<ov::Definition> definitions;
};

// Scripts prepared for running, kept between executions so that a script
// run every frame is loaded once: a few entries, each a sandbox with the
// script loaded for one definition list and one set of handlers.
#pragma once

#include "ovcore/engine/script/Sandbox.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ov {

class PreparedScripts {
public:
    // Runs the source; false with a message when it cannot be prepared or
    // fails. A failed run drops its entry; a run that starts while the same
    // script runs (a host function running it again) gets a sandbox of its
    // own.
    bool Run(std::string_view source, const OvLumetDefinitionList& list, uintptr_t* cells, size_t count,
             std::string& message);
    // Drops the entries made for the list, which is about to be freed.
    void Forget(const OvLumetDefinitionList* list);

private:
    struct Entry {
        const OvLumetDefinitionList* list = nullptr;
        uint64_t generation = 0;
        std::string source;
        std::unique_ptr<Sandbox> sandbox;
        bool busy = false;
    };
    Entry* Find(std::string_view source, const OvLumetDefinitionList& list);
    Entry* Add(std::string_view source, const OvLumetDefinitionList& list, std::string& message);
    void Drop(const Entry* entry);

    std::vector<std::unique_ptr<Entry>> entries_;
};

PreparedScripts& Prepared();

}  // namespace ov

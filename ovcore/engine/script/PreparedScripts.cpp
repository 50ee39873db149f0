#include "ovcore/engine/script/PreparedScripts.h"

#include <algorithm>

namespace ov {

namespace {

constexpr size_t kMaximumEntries = 8;

bool RunOnce(std::string_view source, const OvLumetDefinitionList& list, uintptr_t* cells, size_t count,
             std::string& message) {
    Sandbox sandbox;
    return sandbox.Prepare(source, list, message) && sandbox.Execute(cells, count, message);
}

}  // namespace

bool PreparedScripts::Run(std::string_view source, const OvLumetDefinitionList& list, uintptr_t* cells, size_t count,
                          std::string& message) {
    Entry* entry = Find(source, list);
    if (entry && entry->busy) return RunOnce(source, list, cells, count, message);
    if (!entry) entry = Add(source, list, message);
    if (!entry) return false;
    entry->busy = true;
    const bool ran = entry->sandbox->Execute(cells, count, message);
    entry->busy = false;
    if (!ran) Drop(entry);
    return ran;
}

PreparedScripts::Entry* PreparedScripts::Find(std::string_view source, const OvLumetDefinitionList& list) {
    const uint64_t generation = Definitions().Generation();
    for (const auto& entry : entries_) {
        if (entry->list == &list && entry->generation == generation && entry->source == source) return entry.get();
    }
    return nullptr;
}

PreparedScripts::Entry* PreparedScripts::Add(std::string_view source, const OvLumetDefinitionList& list,
                                             std::string& message) {
    auto entry = std::make_unique<Entry>();
    entry->list = &list;
    entry->generation = Definitions().Generation();
    entry->source.assign(source);
    entry->sandbox = std::make_unique<Sandbox>();
    if (!entry->sandbox->Prepare(entry->source, list, message)) return nullptr;
    // Make room by dropping the oldest entry that is not running.
    if (entries_.size() >= kMaximumEntries) {
        auto idle = std::find_if(entries_.begin(), entries_.end(), [](const auto& e) { return !e->busy; });
        if (idle != entries_.end()) entries_.erase(idle);
    }
    entries_.push_back(std::move(entry));
    return entries_.back().get();
}

void PreparedScripts::Drop(const Entry* entry) {
    std::erase_if(entries_, [&](const auto& e) { return e.get() == entry && !e->busy; });
}

void PreparedScripts::Forget(const OvLumetDefinitionList* list) {
    std::erase_if(entries_, [&](const auto& e) { return e->list == list && !e->busy; });
}

PreparedScripts& Prepared() {
    static PreparedScripts prepared;
    return prepared;
}

}  // namespace ov

// OV_SOUND_LIST<T>: one of OV_AUDIO's lists, a doubly linked list of counted
// references in load order. Handles are checked against the live entries
// by id (a hash lookup), and the node they name must be that entry's.
#pragma once

#include "ovcore/audio/SoundHandle.h"
#include "ovcore/audio/device/RefPtr.h"

#include <cstdint>
#include <list>
#include <unordered_map>

namespace OvCore {

template <class T>
// The list; see the file description.
class OV_SOUND_LIST {
    struct Entry {
        OvAudio::RefPtr<T> object;
        uint64_t id;
    };
    using Node = typename std::list<Entry>::iterator;

public:
    // Appends object under id (unique, never reused) and gives its handle.
    OV_SOUND_HANDLE Append(OvAudio::RefPtr<T> object, uint64_t id) {
        entries_.push_back(Entry{std::move(object), id});
        const Node node = std::prev(entries_.end());
        live_.emplace(id, node);
        return HandleOf(node);
    }

    // The entry's object, null when the handle is invalid or its entry gone.
    T* Find(const OV_SOUND_HANDLE& handle) const {
        const Node* node = Locate(handle);
        return node ? (*node)->object.get() : nullptr;
    }

    // Unlinks the entry and drops its reference; false for a dead handle.
    bool Remove(const OV_SOUND_HANDLE& handle) {
        const Node* found = Locate(handle);
        if (!found) return false;
        const Node node = *found;
        live_.erase(node->id);
        entries_.erase(node);
        return true;
    }

    // Drops every entry; false when there was none.
    bool Clear() {
        if (entries_.empty()) return false;
        live_.clear();
        entries_.clear();
        return true;
    }

    OV_SOUND_HANDLE First() const {  // the first entry's handle; the invalid handle when empty
        return entries_.empty() ? OV_SOUND_HANDLE{} : HandleOf(entries_.begin());
    }

    size_t Size() const { return entries_.size(); }  // number of entries
    bool Empty() const { return entries_.empty(); }  // true without entries

private:
    template <class It>
    static OV_SOUND_HANDLE HandleOf(It node) {
        return OV_SOUND_HANDLE{false, &*node, node->id};
    }

    const Node* Locate(const OV_SOUND_HANDLE& handle) const {
        if (handle.IsInvalid()) return nullptr;
        const auto found = live_.find(handle.id);
        if (found == live_.end() || &*found->second != handle.node) return nullptr;
        return &found->second;
    }

    std::list<Entry> entries_;
    std::unordered_map<uint64_t, Node> live_;
};

} // namespace OvCore

// OV_SOUND_LIST<T>: one of OV_AUDIO's lists, a doubly linked list of counted
// references in load order. Handles are checked against the live entries
// by id (a hash lookup), and the node they name must be that entry's. The
// storage is made with the first entry, so an empty list is a null pointer
// and can be initialised by the compiler.
#pragma once

#include "ovcore/audio/SoundHandle.h"
#include "ovcore/audio/device/RefPtr.h"

#include <cstdint>
#include <list>
#include <memory>
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

    struct Storage {
        std::list<Entry> entries;
        std::unordered_map<uint64_t, Node> live;
    };

public:
    constexpr OV_SOUND_LIST() = default;

    // Appends object under id (unique, never reused) and gives its handle.
    OV_SOUND_HANDLE Append(OvAudio::RefPtr<T> object, uint64_t id) {
        if (!store_) store_ = std::make_unique<Storage>();
        store_->entries.push_back(Entry{std::move(object), id});
        const Node node = std::prev(store_->entries.end());
        store_->live.emplace(id, node);
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
        store_->live.erase(node->id);
        store_->entries.erase(node);
        return true;
    }

    // Drops every entry; false when there was none.
    bool Clear() {
        if (Empty()) return false;
        store_->live.clear();
        store_->entries.clear();
        return true;
    }

    OV_SOUND_HANDLE First() const {  // the first entry's handle; the invalid handle when empty
        return Empty() ? OV_SOUND_HANDLE{} : HandleOf(store_->entries.begin());
    }

    size_t Size() const { return store_ ? store_->entries.size() : 0; }  // number of entries
    bool Empty() const { return Size() == 0; }  // true without entries

private:
    template <class It>
    static OV_SOUND_HANDLE HandleOf(It node) {
        return OV_SOUND_HANDLE{false, &*node, node->id};
    }

    const Node* Locate(const OV_SOUND_HANDLE& handle) const {
        if (handle.IsInvalid() || !store_) return nullptr;
        const auto found = store_->live.find(handle.id);
        if (found == store_->live.end() || &*found->second != handle.node) return nullptr;
        return &found->second;
    }

    std::unique_ptr<Storage> store_;
};

}  // namespace OvCore

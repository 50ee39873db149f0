// The engine's objects of one kind by handle: the one place where handles
// are made, looked up and retired. Each object added gets a new id (word1,
// from 1, never reused while the table lives) and word0 0; an empty handle
// (OvHandleIsEmpty) or a retired one finds nothing.
#pragma once

#include "ovcore/engine/OrvoCore.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>

namespace ov {

template <class T>
class HandleTable {
public:
    // Takes the object and names it; OV_NULL_HANDLE for a null object or
    // when the ids have run out (the object is then destroyed).
    OvHandle Add(std::unique_ptr<T> object) {
        if (!object || nextId_ == 0) return OV_NULL_HANDLE;
        const uint32_t id = nextId_++;
        objects_.emplace(id, std::move(object));
        return OvHandle{0, id};
    }

    // The object the handle names; null for an empty or retired handle.
    T* Find(OvHandle handle) const {
        if (OvHandleIsEmpty(handle)) return nullptr;
        const auto found = objects_.find(handle.word1);
        return found == objects_.end() ? nullptr : found->second.get();
    }

    // Destroys the object; false when the handle names none.
    bool Destroy(OvHandle handle) { return Take(handle) != nullptr; }

    // Gives the object up to the caller, retiring its handle; null when the
    // handle names none.
    std::unique_ptr<T> Take(OvHandle handle) {
        if (OvHandleIsEmpty(handle)) return nullptr;
        const auto found = objects_.find(handle.word1);
        if (found == objects_.end()) return nullptr;
        std::unique_ptr<T> object = std::move(found->second);
        objects_.erase(found);
        return object;
    }

    // Destroys every object; their handles stay retired.
    void Clear() { objects_.clear(); }
    size_t Size() const { return objects_.size(); }  // the live objects

    // Calls visit(handle, object) for every live object, in no fixed order.
    template <class Visit>
    void ForEach(Visit visit) const {
        for (const auto& [id, object] : objects_) visit(OvHandle{0, id}, *object);
    }

private:
    std::unordered_map<uint32_t, std::unique_ptr<T>> objects_;
    uint32_t nextId_ = 1;
};

}  // namespace ov

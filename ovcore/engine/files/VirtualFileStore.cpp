#include "ovcore/engine/files/VirtualFileStore.h"

namespace ov {

namespace {
bool IsLive(OvHandle handle) {
    return (handle.word0 & 0xFFu) == 0 && handle.word1 != 0;
}
}  // namespace

VirtualFileStore& VirtualFileStore::Instance() {
    static VirtualFileStore store;
    return store;
}

bool VirtualFileStore::Add(std::vector<uint8_t>&& bytes, OvHandle& handle) {
    if (lastId == UINT32_MAX) return false;
    ++lastId;
    files.emplace(lastId, std::move(bytes));
    handle = OvHandle{0, lastId};
    return true;
}

const std::vector<uint8_t>* VirtualFileStore::Find(OvHandle handle) const {
    if (!IsLive(handle)) return nullptr;
    auto found = files.find(handle.word1);
    return found == files.end() ? nullptr : &found->second;
}

void VirtualFileStore::Remove(OvHandle handle) {
    if (IsLive(handle)) files.erase(handle.word1);
}

}  // namespace ov

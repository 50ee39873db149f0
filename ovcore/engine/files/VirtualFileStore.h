// The engine's copies of loaded virtual files, named by handles.
#pragma once

#include "ovcore/engine/core/HandleTable.h"

#include <cstdint>
#include <vector>

namespace ov {

class VirtualFileStore {
public:
    static VirtualFileStore& Instance();

    // Takes the bytes and names them with a fresh handle; fails only when
    // the table has no slot left.
    bool Add(std::vector<uint8_t>&& bytes, OvHandle& handle) {
        handle = files_.Add(std::make_unique<std::vector<uint8_t>>(std::move(bytes)));
        return !OvHandleIsEmpty(handle);
    }
    const std::vector<uint8_t>* Find(OvHandle handle) const { return files_.Find(handle); }
    void Remove(OvHandle handle) { files_.Destroy(handle); }

private:
    HandleTable<std::vector<uint8_t>> files_{"virtual file"};
};

}  // namespace ov

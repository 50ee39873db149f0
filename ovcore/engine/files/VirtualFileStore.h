// The engine's copies of loaded virtual files, named by handles.
#pragma once

#include "ovcore/engine/OrvoCore.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace ov {

class VirtualFileStore {
public:
    static VirtualFileStore& Instance();

    // Takes the bytes and names them with a fresh handle; fails only when
    // every handle number has been used.
    bool Add(std::vector<uint8_t>&& bytes, OvHandle& handle);
    const std::vector<uint8_t>* Find(OvHandle handle) const;
    void Remove(OvHandle handle);

private:
    std::unordered_map<uint32_t, std::vector<uint8_t>> files;
    uint32_t lastId = 0;
};

}  // namespace ov

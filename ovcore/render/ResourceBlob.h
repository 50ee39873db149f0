// OV_RESOURCE_BLOB: the bytes of a module resource.
#pragma once

#include "ovcore/platform/Windows.h"

#include <cstdint>

namespace OvCore {

// The bytes of one module resource, locked while the blob is open.
class OV_RESOURCE_BLOB {
public:
    OV_RESOURCE_BLOB() = default;
    ~OV_RESOURCE_BLOB() { Close(); }
    OV_RESOURCE_BLOB(const OV_RESOURCE_BLOB&) = delete;
    OV_RESOURCE_BLOB& operator=(const OV_RESOURCE_BLOB&) = delete;

    // name and type as the resource calls take them (MAKEINTRESOURCEA for
    // integers). An open blob is closed first. False, with the blob empty,
    // when the resource is missing or holds no bytes.
    bool Open(HMODULE module, LPCSTR name, LPCSTR type);
    // The bytes (null when empty), their count, and whether there are none:
    const void* Data() const { return data_; }
    uint32_t Size() const { return size_; }
    bool IsEmpty() const { return !data_ || size_ == 0; }
    void Close();  // frees the resource; the blob is empty

private:
    HGLOBAL resource_ = nullptr;
    const void* data_ = nullptr;
    uint32_t size_ = 0;
};

}  // namespace OvCore

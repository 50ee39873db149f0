#include "ovcore/render/ResourceBlob.h"

namespace OvCore {

bool OV_RESOURCE_BLOB::Open(HMODULE module, LPCSTR name, LPCSTR type) {
    Close();
    HRSRC found = FindResourceA(module, name, type);
    resource_ = found ? LoadResource(module, found) : nullptr;
    if (!resource_) return false;
    data_ = LockResource(resource_);
    size_ = SizeofResource(module, found);
    if (data_ && size_ != 0) return true;
    Close();
    return false;
}

void OV_RESOURCE_BLOB::Close() {
    if (resource_) FreeResource(resource_);
    resource_ = nullptr;
    data_ = nullptr;
    size_ = 0;
}

}  // namespace OvCore

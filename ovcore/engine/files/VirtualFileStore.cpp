#include "ovcore/engine/files/VirtualFileStore.h"

namespace ov {

VirtualFileStore& VirtualFileStore::Instance() {
    static VirtualFileStore store;
    return store;
}

}  // namespace ov

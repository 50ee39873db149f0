#include "ovcore/app/TypedCharQueue.h"

namespace OvCore {

bool OV_TYPED_CHAR_QUEUE::Pop(char& out) {
    if (Empty()) return false;
    out = chars[head++];
    if (head == chars.size()) Clear();
    return true;
}

void OV_TYPED_CHAR_QUEUE::Clear() {
    chars.clear();
    head = 0;
}

}  // namespace OvCore

#pragma once

#include <cstddef>
#include <string>

namespace OvCore {

// First-in first-out queue of typed characters. Storage grows to the longest
// burst seen and is then reused, so steady typing does not allocate.
class OV_TYPED_CHAR_QUEUE {
public:
    void Push(char c) { chars.push_back(c); }
    bool Pop(char& out);
    size_t Count() const { return chars.size() - head; }
    bool Empty() const { return Count() == 0; }
    // The queued characters, oldest first; Count() bytes, zero-terminated.
    const char* Data() const { return chars.c_str() + head; }
    void Clear();

private:
    std::string chars;
    size_t head = 0;
};

} // namespace OvCore

// OV_TYPED_CHAR_QUEUE: the queue of typed characters.
#pragma once

#include <cstddef>
#include <string>

namespace OvCore {

// First-in first-out queue of typed characters. Storage grows to the longest
// burst seen and is then reused, so steady typing does not allocate.
class OV_TYPED_CHAR_QUEUE {
public:
    void Push(char c) { chars.push_back(c); }  // appends a character
    bool Pop(char& out);  // takes the oldest; false when empty
    size_t Count() const { return chars.size() - head; }  // characters queued
    bool Empty() const { return Count() == 0; }  // true when none are queued
    // The queued characters, oldest first; Count() bytes, zero-terminated.
    const char* Data() const { return chars.c_str() + head; }
    void Clear();  // drops every character

private:
    std::string chars;
    size_t head = 0;
};

}  // namespace OvCore

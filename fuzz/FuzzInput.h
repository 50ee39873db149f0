#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Cuts a fuzzer's bytes into short zero-free parameters and a remaining text.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // Bytes up to the next zero byte (consumed) or maxLength bytes, whichever comes first.
    std::string TakeWord(size_t maxLength) {
        std::string word;
        while (position_ < size_ && word.size() < maxLength) {
            const char c = static_cast<char>(data_[position_++]);
            if (c == 0) break;
            word += c;
        }
        return word;
    }

    uint8_t TakeByte() { return position_ < size_ ? data_[position_++] : 0; }

    const char* RestData() const { return reinterpret_cast<const char*>(data_ + position_); }
    size_t RestSize() const { return size_ - position_; }
    // The rest up to its first zero byte.
    std::string RestText() const {
        std::string text(RestData(), RestSize());
        return text.substr(0, text.find('\0'));
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

inline void FuzzCheck(bool condition) {
    if (!condition) __builtin_trap();
}

// The thread's message queue: a ring of MSG records whose storage is reused,
// so posting and taking messages allocate only when the queue outgrows its
// largest size so far.
#pragma once

#include "ovcore/platform/Windows.h"

#include <cstddef>
#include <vector>

class MessageQueue {
public:
    void Push(const MSG& message);
    // Takes (or, without `remove`, copies) the oldest message that passes the
    // filter: a null hwnd takes every window, min = max = 0 every message.
    bool Take(MSG* out, HWND hwnd, UINT filterMin, UINT filterMax, bool remove);
    void DiscardWindow(HWND hwnd);
    size_t Size() const { return count_; }

private:
    MSG& At(size_t position) { return slots_[(head_ + position) % slots_.size()]; }
    void Grow();
    void RemoveAt(size_t position);

    std::vector<MSG> slots_;
    size_t head_ = 0;
    size_t count_ = 0;
};

MessageQueue& ThreadMessageQueue();
void MessageQueueDiscardWindow(HWND hwnd);
void MessageQueuePost(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

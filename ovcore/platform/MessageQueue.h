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

// A source of input messages the queue is handed, such as a scripted run:
// inject() queues what the source has before the queue is read, and
// frameEnded() is told each time the queue is found empty (the message loop
// then runs a frame).
struct MessageSource {
    void (*inject)();
    void (*frameEnded)();
};

// The queue's one source (null: none); the source stays the caller's.
void MessageQueueSetSource(const MessageSource* source);

MessageQueue& ThreadMessageQueue();
void MessageQueueDiscardWindow(HWND hwnd);
void MessageQueuePost(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Tells without a system call whether a listening socket may have a
// connection waiting, so that a server's frame needs no poll or accept to
// learn that nobody new came.
//
// A kernel ring holds one multishot poll on the listener; every arrival
// posts an entry, which is read from memory shared with the kernel. Where
// the kernel offers no ring (too old, or forbidden by a sandbox), every
// question answers "maybe", and the caller simply tries to accept.
#pragma once

#include <cstdint>

struct io_uring_cqe;
struct io_uring_sqe;

namespace ov {

class AcceptWatch {
public:
    // Starts watching the listening descriptor; it must outlive the watch.
    explicit AcceptWatch(int listener);
    ~AcceptWatch();
    AcceptWatch(const AcceptWatch&) = delete;
    AcceptWatch& operator=(const AcceptWatch&) = delete;

    // False only when no connection arrived since the last Drained.
    bool MayAccept();
    // The caller's accept found the queue empty.
    void Drained() { mayAccept_ = false; }

private:
    int listener_;
    int ring_ = -1;
    bool mayAccept_ = true;
    void* rings_ = nullptr;  // the submission and completion rings, one mapping
    uint64_t ringsBytes_ = 0;
    io_uring_sqe* entries_ = nullptr;  // the one submission entry
    uint64_t entriesBytes_ = 0;
    unsigned* sqTail_ = nullptr;
    unsigned* sqMask_ = nullptr;
    unsigned* sqArray_ = nullptr;
    unsigned* sqFlags_ = nullptr;
    unsigned* cqHead_ = nullptr;
    unsigned* cqTail_ = nullptr;
    unsigned* cqMask_ = nullptr;
    io_uring_cqe* completions_ = nullptr;

    bool Open();
    // Asks the kernel for the multishot poll; false when it refuses.
    bool Arm();
    // Reads every posted entry; false when the kernel refused the poll.
    bool Reap();
    void Close();
};

}  // namespace ov

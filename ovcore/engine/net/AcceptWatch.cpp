#include "ovcore/engine/net/AcceptWatch.h"

#include <linux/io_uring.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace ov {

namespace {

// Room for the arrivals of a few frames; when it fills, the kernel ends the
// multishot poll with a last entry and Reap arms it again.
constexpr unsigned kCompletions = 8;

int Enter(int ring, unsigned submit, unsigned flags) {
    return static_cast<int>(syscall(__NR_io_uring_enter, ring, submit, 0, flags, nullptr, 0));
}

template <class T>
T* At(void* base, uint32_t offset) {
    return reinterpret_cast<T*>(static_cast<char*>(base) + offset);
}

}  // namespace

AcceptWatch::AcceptWatch(int listener) : listener_(listener) {
    if (!Open() || !Arm()) Close();
}

AcceptWatch::~AcceptWatch() { Close(); }

bool AcceptWatch::Open() {
    io_uring_params params{};
    params.flags = IORING_SETUP_CQSIZE;
    params.cq_entries = kCompletions;
    ring_ = static_cast<int>(syscall(__NR_io_uring_setup, 1, &params));
    if (ring_ < 0 || !(params.features & IORING_FEAT_SINGLE_MMAP)) return false;
    ringsBytes_ = std::max<uint64_t>(params.sq_off.array + params.sq_entries * sizeof(unsigned),
                                     params.cq_off.cqes + params.cq_entries * sizeof(io_uring_cqe));
    void* rings =
        mmap(nullptr, ringsBytes_, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, ring_, IORING_OFF_SQ_RING);
    if (rings == MAP_FAILED) return false;
    rings_ = rings;
    entriesBytes_ = params.sq_entries * sizeof(io_uring_sqe);
    void* entries =
        mmap(nullptr, entriesBytes_, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, ring_, IORING_OFF_SQES);
    if (entries == MAP_FAILED) return false;
    entries_ = static_cast<io_uring_sqe*>(entries);
    sqTail_ = At<unsigned>(rings_, params.sq_off.tail);
    sqMask_ = At<unsigned>(rings_, params.sq_off.ring_mask);
    sqArray_ = At<unsigned>(rings_, params.sq_off.array);
    sqFlags_ = At<unsigned>(rings_, params.sq_off.flags);
    cqHead_ = At<unsigned>(rings_, params.cq_off.head);
    cqTail_ = At<unsigned>(rings_, params.cq_off.tail);
    cqMask_ = At<unsigned>(rings_, params.cq_off.ring_mask);
    completions_ = At<io_uring_cqe>(rings_, params.cq_off.cqes);
    return true;
}

bool AcceptWatch::Arm() {
    const unsigned tail = *sqTail_;
    const unsigned index = tail & *sqMask_;
    io_uring_sqe& entry = entries_[index];
    std::memset(&entry, 0, sizeof entry);
    entry.opcode = IORING_OP_POLL_ADD;
    entry.fd = listener_;
    entry.poll32_events = POLLIN;
    entry.len = IORING_POLL_ADD_MULTI;
    sqArray_[index] = index;
    __atomic_store_n(sqTail_, tail + 1, __ATOMIC_RELEASE);
    return Enter(ring_, 1, 0) == 1;
}

bool AcceptWatch::Reap() {
    // Entries that found the ring full wait in the kernel until asked for.
    if (__atomic_load_n(sqFlags_, __ATOMIC_RELAXED) & IORING_SQ_CQ_OVERFLOW) Enter(ring_, 0, IORING_ENTER_GETEVENTS);
    unsigned head = *cqHead_;
    const unsigned tail = __atomic_load_n(cqTail_, __ATOMIC_ACQUIRE);
    if (head == tail) return true;
    bool ended = false, refused = false;
    for (; head != tail; ++head) {
        const io_uring_cqe& done = completions_[head & *cqMask_];
        refused |= done.res < 0;
        ended |= !(done.flags & IORING_CQE_F_MORE);
    }
    __atomic_store_n(cqHead_, head, __ATOMIC_RELEASE);
    mayAccept_ = true;
    return !refused && (!ended || Arm());
}

bool AcceptWatch::MayAccept() {
    if (ring_ < 0) return true;
    if (!Reap()) Close();
    return mayAccept_;
}

void AcceptWatch::Close() {
    if (entries_) munmap(entries_, entriesBytes_);
    if (rings_) munmap(rings_, ringsBytes_);
    if (ring_ >= 0) close(ring_);
    entries_ = nullptr;
    rings_ = nullptr;
    ring_ = -1;
    mayAccept_ = true;
}

}  // namespace ov

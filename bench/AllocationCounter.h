// Counts the program's heap allocations, so that a benchmark can report how
// many a frame makes (the drawing and world paths should make none). Include
// it in exactly one source file of a program: it replaces the global
// operator new and delete.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

namespace AllocationCounter {

inline std::atomic<long long> allocations{0};

inline long long Count() { return allocations.load(std::memory_order_relaxed); }

}  // namespace AllocationCounter

inline void* CountedAllocation(std::size_t size) {
    AllocationCounter::allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}

void* operator new(std::size_t size) { return CountedAllocation(size); }
void* operator new[](std::size_t size) { return CountedAllocation(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

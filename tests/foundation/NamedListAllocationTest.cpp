// Counts heap allocations around named-list operations. The replacement of the
// global allocation functions below is the whole test binary's, but it only
// counts while a Counting scope is open; otherwise it is malloc and free.
#include "ovcore/foundation/NamedList.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

namespace {

bool g_counting = false;
int g_allocations = 0;

void* Allocate(std::size_t size) {
    if (g_counting) ++g_allocations;
    return std::malloc(size ? size : 1);
}

// Allocations made while it is alive.
class Counting {
public:
    Counting() {
        g_allocations = 0;
        g_counting = true;
    }
    ~Counting() { g_counting = false; }
    int Count() const { return g_allocations; }
};

}  // namespace

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

using OvCore::OV_NAMED_LIST;

namespace {

// An element that makes one allocation of its own.
struct Holder {
    Holder() : data(new int(0)) {}
    ~Holder() { delete data; }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;
    int* data;
};

template <class T>
void Fill(OV_NAMED_LIST<T>& list, int entries) {
    for (int i = 0; i < entries; ++i) list.Get(("entry" + std::to_string(i)).c_str(), 0);
}

}  // namespace

TEST(NamedListAllocation, LookupsAllocateNothing) {
    OV_NAMED_LIST<int> list;
    Fill(list, 64);
    const std::string tooLong(200, 'x');
    Counting counting;
    list.Get("entry0", 0);
    list.Get("entry63", 0);
    list.FindOrCreate("entry10", 0);
    list.Access(OvCore::FIND, "entry20", 0);
    list.Access(OvCore::FIND_NAME, "entry30", 5);
    list.Access(OvCore::FIND, "missing", 0);
    list.Access(OvCore::REMOVE, "missing", 0);
    list.Get(tooLong.c_str(), 0);
    list.Count("entry40");
    list.Count();
    for (auto it = list.Begin(); !it.IsEnd(); it.Next()) (void)it.Value();
    EXPECT_EQ(counting.Count(), 0);
}

TEST(NamedListAllocation, NewEntryIsOneAllocationPlusTheElementsOwn) {
    OV_NAMED_LIST<int> plain;
    Fill(plain, 8);
    {
        Counting counting;
        plain.Get("fresh", 0);
        EXPECT_EQ(counting.Count(), 1);
    }
    OV_NAMED_LIST<Holder> holders;
    Fill(holders, 8);
    {
        Counting counting;
        holders.Get("fresh", 0);
        EXPECT_EQ(counting.Count(), 2);  // the node, and the Holder's own int
    }
}

TEST(NamedListAllocation, CountingSeesAllocations) {
    Counting counting;
    int* volatile p = new int(1);  // volatile: the pair must not be elided
    delete p;
    EXPECT_EQ(counting.Count(), 1);
}

#include "ovcore/foundation/NamedList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace OvCore;

namespace {

std::vector<std::string> Names(OV_NAMED_LIST<int>& list) {
    std::vector<std::string> names;
    for (auto it = list.Begin(); !it.IsEnd(); it.Next()) names.push_back(it.Key()->name);
    return names;
}

// Owns heap data and can be neither copied nor moved: the list must build it in place.
struct Owner {
    static int live;
    Owner() : title(new std::string("untitled")) { ++live; }
    ~Owner() {
        delete title;
        --live;
    }
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;
    std::string* title;
};
int Owner::live = 0;

}  // namespace

TEST(NamedList, GetCreatesOnceAndReturnsTheSameElement) {
    OV_NAMED_LIST<int> list;
    int* first = list.Get("main", 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(*first, 0);
    EXPECT_EQ(list.Count(), 1u);
    *first = 7;
    EXPECT_EQ(list.Get("main", 0), first);
    EXPECT_EQ(*list.Get("main", 0), 7);
    EXPECT_EQ(list.Count(), 1u);
}

TEST(NamedList, SameNameWithAnotherIdIsAnotherEntry) {
    OV_NAMED_LIST<int> list;
    *list.Get("main", 0) = 10;
    *list.Get("main", 1) = 11;
    *list.Get("other", 0) = 20;
    EXPECT_EQ(list.Count("main"), 2u);
    EXPECT_EQ(list.Count(nullptr), 3u);
    EXPECT_EQ(list.Count("missing"), 0u);

    auto byName = list.Access(FIND_NAME, "main", 99);
    ASSERT_FALSE(byName.IsEnd());
    EXPECT_EQ(*byName.Value(), 10);  // the id-0 entry was inserted first
    EXPECT_EQ(byName.Key()->id, 0);

    EXPECT_EQ(*list.Access(FIND, "main", 1).Value(), 11);
    EXPECT_TRUE(list.Access(FIND, "main", 2).IsEnd());
    EXPECT_TRUE(list.Access(FIND, "other", 1).IsEnd());
}

TEST(NamedList, FindAndFindNameNeverCreate) {
    OV_NAMED_LIST<int> list;
    EXPECT_TRUE(list.Access(FIND, "a", 0).IsEnd());
    EXPECT_TRUE(list.Access(FIND_NAME, "a", 0).IsEnd());
    EXPECT_TRUE(list.Access(REMOVE, "a", 0).IsEnd());
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_TRUE(list.Begin().IsEnd());
}

TEST(NamedList, AccessFindOrCreateAndFindOrCreateAgree) {
    OV_NAMED_LIST<int> list;
    auto created = list.Access(FIND_OR_CREATE, "scene", 3);
    ASSERT_FALSE(created.IsEnd());
    EXPECT_EQ(list.FindOrCreate("scene", 3), created);
    EXPECT_EQ(list.Access(FIND, "scene", 3), created);
    EXPECT_EQ(list.Begin(), created);
    EXPECT_EQ(list.Get("scene", 3), created.Value());
    EXPECT_EQ(list.Count(), 1u);
}

TEST(NamedList, NameLengthLimit) {
    OV_NAMED_LIST<int> list;
    const std::string longest(123, 'n');
    const std::string tooLong(124, 'n');

    int* element = list.Get(longest.c_str(), 5);
    ASSERT_NE(element, nullptr);
    auto found = list.Access(FIND, longest.c_str(), 5);
    ASSERT_FALSE(found.IsEnd());
    EXPECT_EQ(found.Value(), element);
    EXPECT_EQ(std::string(found.Key()->name), longest);

    for (int mode : {FIND, FIND_OR_CREATE, REMOVE, FIND_NAME}) {
        EXPECT_TRUE(list.Access(mode, tooLong.c_str(), 5).IsEnd()) << "mode " << mode;
    }
    EXPECT_TRUE(list.FindOrCreate(tooLong.c_str(), 5).IsEnd());
    EXPECT_EQ(list.Get(tooLong.c_str(), 5), nullptr);
    EXPECT_EQ(list.Get(std::string(1000, 'x').c_str(), 0), nullptr);
    EXPECT_EQ(list.Count(), 1u);  // nothing created, nothing removed
    EXPECT_EQ(list.Count(tooLong.c_str()), 0u);
}

TEST(NamedList, KeyIsZeroFilledAfterTheName) {
    OV_NAMED_LIST<int> list;
    list.Get("abc", -42);
    const OV_NAMED_KEY* key = list.Begin().Key();
    ASSERT_NE(key, nullptr);
    EXPECT_STREQ(key->name, "abc");
    EXPECT_EQ(key->id, -42);
    for (size_t i = 3; i < sizeof key->name; ++i) EXPECT_EQ(key->name[i], 0) << "byte " << i;
}

TEST(NamedList, EmptyNameIsAnOrdinaryName) {
    OV_NAMED_LIST<int> list;
    int* element = list.Get("", 0);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(list.Get("", 0), element);
    EXPECT_EQ(list.Count(""), 1u);
}

TEST(NamedList, NullNameAndUnknownModesChangeNothing) {
    OV_NAMED_LIST<int> list;
    list.Get("kept", 0);
    for (int mode : {FIND, FIND_OR_CREATE, REMOVE, FIND_NAME}) {
        EXPECT_TRUE(list.Access(mode, nullptr, 0).IsEnd()) << "mode " << mode;
    }
    EXPECT_TRUE(list.FindOrCreate(nullptr, 0).IsEnd());
    EXPECT_EQ(list.Get(nullptr, 0), nullptr);
    for (int mode : {0, 5, -1, 1000}) {
        EXPECT_TRUE(list.Access(mode, "kept", 0).IsEnd()) << "mode " << mode;
        EXPECT_TRUE(list.Access(mode, "new", 0).IsEnd()) << "mode " << mode;
    }
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_EQ(Names(list), std::vector<std::string>{"kept"});
}

TEST(NamedList, NamesAreCaseSensitive) {
    OV_NAMED_LIST<int> list;
    list.Get("main", 0);
    EXPECT_TRUE(list.Access(FIND, "Main", 0).IsEnd());
    EXPECT_TRUE(list.Access(FIND_NAME, "MAIN", 0).IsEnd());
    EXPECT_EQ(list.Count("Main"), 0u);
    list.Get("Main", 0);
    EXPECT_EQ(list.Count(), 2u);
}

TEST(NamedList, IterationFollowsInsertionOrder) {
    OV_NAMED_LIST<int> list;
    for (const char* name : {"c", "a", "b", "a"}) list.Get(name, static_cast<int>(list.Count()));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"c", "a", "b", "a"}));

    auto it = list.Begin();
    it.Next();
    it.Next();
    it.Next();
    EXPECT_EQ(it.Key()->id, 3);
    it.Next();
    EXPECT_TRUE(it.IsEnd());
    EXPECT_EQ(it, list.End());
    EXPECT_EQ(it.Value(), nullptr);
    EXPECT_EQ(it.Key(), nullptr);
    it.Next();
    EXPECT_TRUE(it.IsEnd());
    it.Prev();
    EXPECT_TRUE(it.IsEnd());
}

TEST(NamedList, PrevWalksBackToTheEnd) {
    OV_NAMED_LIST<int> list;
    list.Get("one", 0);
    list.Get("two", 0);
    auto it = list.Access(FIND, "three", 0);
    EXPECT_TRUE(it.IsEnd());
    it = list.FindOrCreate("three", 0);
    it.Prev();
    EXPECT_STREQ(it.Key()->name, "two");
    it.Prev();
    EXPECT_STREQ(it.Key()->name, "one");
    EXPECT_EQ(it, list.Begin());
    it.Prev();
    EXPECT_TRUE(it.IsEnd());
}

TEST(NamedList, RemoveTakesExactlyOneMatchingEntry) {
    OV_NAMED_LIST<int> list;
    *list.Get("a", 0) = 1;
    *list.Get("a", 1) = 2;
    *list.Get("b", 0) = 3;

    EXPECT_TRUE(list.Access(REMOVE, "a", 7).IsEnd());
    EXPECT_EQ(list.Count(), 3u);

    EXPECT_TRUE(list.Access(REMOVE, "a", 1).IsEnd());
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.Count("a"), 1u);
    EXPECT_EQ(*list.Access(FIND_NAME, "a", 0).Value(), 1);
    EXPECT_TRUE(list.Access(FIND, "a", 1).IsEnd());
}

TEST(NamedList, RemoveRelinksFirstMiddleAndLast) {
    OV_NAMED_LIST<int> list;
    for (const char* name : {"1", "2", "3", "4", "5"}) list.Get(name, 0);

    list.Access(REMOVE, "3", 0);  // middle
    EXPECT_EQ(Names(list), (std::vector<std::string>{"1", "2", "4", "5"}));
    list.Access(REMOVE, "1", 0);  // first
    EXPECT_EQ(Names(list), (std::vector<std::string>{"2", "4", "5"}));
    list.Access(REMOVE, "5", 0);  // last
    EXPECT_EQ(Names(list), (std::vector<std::string>{"2", "4"}));

    // The new last entry links back correctly and appending goes after it.
    list.Get("6", 0);
    auto it = list.Access(FIND, "6", 0);
    it.Prev();
    EXPECT_STREQ(it.Key()->name, "4");
    it.Prev();
    EXPECT_STREQ(it.Key()->name, "2");
    it.Prev();
    EXPECT_TRUE(it.IsEnd());

    list.Access(REMOVE, "2", 0);
    list.Access(REMOVE, "4", 0);
    list.Access(REMOVE, "6", 0);
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_TRUE(list.Begin().IsEnd());
    list.Get("again", 0);
    EXPECT_EQ(Names(list), std::vector<std::string>{"again"});
}

TEST(NamedList, ElementAddressesStayStable) {
    OV_NAMED_LIST<std::string> list;
    std::string* kept = list.Get("kept", 0);
    *kept = "value";
    for (int i = 0; i < 200; ++i) list.Get(("filler" + std::to_string(i)).c_str(), i);
    for (int i = 0; i < 200; i += 2) list.Access(REMOVE, ("filler" + std::to_string(i)).c_str(), i);
    EXPECT_EQ(list.Get("kept", 0), kept);
    EXPECT_EQ(*kept, "value");
    EXPECT_EQ(list.Count(), 101u);
}

TEST(NamedList, PointerElementsStartNull) {
    using SceneFunction = void (*)();
    OV_NAMED_LIST<SceneFunction> scenes;
    SceneFunction* intro = scenes.Get("intro", 0);
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(*intro, nullptr);

    OV_NAMED_LIST<int*> pointers;
    EXPECT_EQ(*pointers.Get("p", 0), nullptr);
}

TEST(NamedList, ElementsAreBuiltInPlaceAndDestroyedOnce) {
    ASSERT_EQ(Owner::live, 0);
    {
        OV_NAMED_LIST<Owner> list;
        Owner* window = list.Get("main", 0);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(*window->title, "untitled");
        list.Get("second", 0);
        list.Get("third", 0);
        EXPECT_EQ(Owner::live, 3);

        list.Access(REMOVE, "second", 0);
        EXPECT_EQ(Owner::live, 2);
        list.Clear();
        EXPECT_EQ(Owner::live, 0);
        EXPECT_EQ(list.Count(), 0u);
        EXPECT_TRUE(list.Begin().IsEnd());

        list.Get("after clear", 0);
        list.Get("after clear", 1);
        EXPECT_EQ(Owner::live, 2);
    }
    EXPECT_EQ(Owner::live, 0);  // the destructor clears
}

namespace {
struct Observer;
OV_NAMED_LIST<Observer>* g_observed = nullptr;
std::vector<uint32_t> g_countsSeen;
struct Observer {
    ~Observer() {
        if (g_observed) g_countsSeen.push_back(g_observed->Count());
    }
};
}  // namespace

TEST(NamedList, ClearEmptiesTheListBeforeDestroyingElements) {
    OV_NAMED_LIST<Observer> list;
    list.Get("a", 0);
    list.Get("b", 0);
    g_observed = &list;
    list.Clear();
    g_observed = nullptr;
    EXPECT_EQ(g_countsSeen, (std::vector<uint32_t>{0, 0}));
}

TEST(NamedList, SpliceBackMovesEveryEntryInOrderWithoutCopying) {
    OV_NAMED_LIST<int> live, pending;
    *live.Get("a", 0) = 1;
    *pending.Get("b", 1) = 2;
    *pending.Get("a", 0) = 3;  // a key the other list has too: both are kept
    int* moved = pending.Get("b", 1);
    live.SpliceBack(pending);
    EXPECT_EQ(Names(live), (std::vector<std::string>{"a", "b", "a"}));
    EXPECT_EQ(live.Count(), 3u);
    EXPECT_EQ(pending.Count(), 0u);
    EXPECT_TRUE(pending.Begin().IsEnd());
    EXPECT_EQ(live.Get("b", 1), moved) << "the element did not move in memory";
    live.SpliceBack(live);
    live.SpliceBack(pending);
    EXPECT_EQ(live.Count(), 3u);
    *pending.Get("c", 2) = 4;
    OV_NAMED_LIST<int> empty;
    empty.SpliceBack(pending);
    EXPECT_EQ(Names(empty), (std::vector<std::string>{"c"}));
}

TEST(NamedList, EraseRemovesAtThePositionAndRefusesOtherLists) {
    OV_NAMED_LIST<int> list, other;
    list.Get("a", 0);
    list.Get("b", 0);
    list.Get("c", 0);
    other.Get("x", 0);
    EXPECT_TRUE(list.Erase(other.Begin()).IsEnd());
    EXPECT_TRUE(list.Erase(list.End()).IsEnd());
    EXPECT_EQ(list.Count(), 3u);
    auto next = list.Erase(list.Access(FIND, "b", 0));
    EXPECT_STREQ(next.Key()->name, "c");
    EXPECT_TRUE(list.Erase(next).IsEnd());
    list.Erase(list.Begin());
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_TRUE(list.Begin().IsEnd());
    list.Get("d", 0);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"d"}));
    OV_NAMED_LIST<int> target;
    target.SpliceBack(other);
    EXPECT_TRUE(other.Erase(target.Begin()).IsEnd()) << "a moved entry belongs to its new list";
    EXPECT_FALSE(target.Erase(target.Begin()).Key());
}

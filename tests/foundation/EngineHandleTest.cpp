#include "ovcore/foundation/EngineHandle.h"

#include <gtest/gtest.h>

using namespace OvCore;

TEST(EngineHandle, EmptyWhenTheLowByteOfWord0IsSetOrWord1IsZero) {
    EXPECT_FALSE(IsEmptyHandle(OvHandle{0, 7}));
    EXPECT_TRUE(IsEmptyHandle(OvHandle{0, 0}));
    EXPECT_TRUE(IsEmptyHandle(OvHandle{1, 7}));
    EXPECT_TRUE(IsEmptyHandle(OvHandle{0xFF, 7}));
    EXPECT_FALSE(IsEmptyHandle(OvHandle{0x100, 7}));  // only the low byte counts
    EXPECT_TRUE(IsEmptyHandle(EmptyHandle()));
    EXPECT_EQ(EmptyHandle().word0, 1u);
    EXPECT_EQ(EmptyHandle().word1, 0u);
    static_assert(sizeof(OvHandle) == 8);
}

TEST(EngineHandle, SameWhenTheSecondWordsMatch) {
    EXPECT_TRUE(SameHandle(OvHandle{0, 5}, OvHandle{0, 5}));
    EXPECT_TRUE(SameHandle(OvHandle{0, 5}, OvHandle{3, 5}));
    EXPECT_FALSE(SameHandle(OvHandle{0, 5}, OvHandle{0, 6}));
    EXPECT_TRUE(SameHandle(EmptyHandle(), OvHandle{0, 0}));
}

#include "ovcore/render/ResourceBlob.h"

#include "ovcore/platform/Platform.h"

#include <gtest/gtest.h>

#include <cstring>

using OvCore::OV_RESOURCE_BLOB;

namespace {

TEST(ResourceBlobTest, OpensRegisteredResourcesAndRefusesMissingOrEmptyOnes) {
    HMODULE module = GetModuleHandleA(nullptr);
    const char bytes[] = "glyph bytes";
    ASSERT_TRUE(PlatformAddResource(module, 1024, 901, bytes, sizeof bytes));
    ASSERT_TRUE(PlatformAddResource(module, 1024, 902, nullptr, 0));

    OV_RESOURCE_BLOB blob;
    EXPECT_TRUE(blob.IsEmpty());
    ASSERT_TRUE(blob.Open(module, MAKEINTRESOURCEA(901), MAKEINTRESOURCEA(1024)));
    EXPECT_FALSE(blob.IsEmpty());
    ASSERT_EQ(blob.Size(), sizeof bytes);
    EXPECT_EQ(std::memcmp(blob.Data(), bytes, sizeof bytes), 0);

    EXPECT_FALSE(blob.Open(module, MAKEINTRESOURCEA(903), MAKEINTRESOURCEA(1024)));
    EXPECT_TRUE(blob.IsEmpty());
    EXPECT_EQ(blob.Data(), nullptr);
    EXPECT_EQ(blob.Size(), 0u);
    EXPECT_FALSE(blob.Open(module, MAKEINTRESOURCEA(901), MAKEINTRESOURCEA(1025)));
    EXPECT_FALSE(blob.Open(module, MAKEINTRESOURCEA(902), MAKEINTRESOURCEA(1024)));
    EXPECT_TRUE(blob.IsEmpty());

    ASSERT_TRUE(blob.Open(module, MAKEINTRESOURCEA(901), MAKEINTRESOURCEA(1024)));
    blob.Close();
    blob.Close();
    EXPECT_TRUE(blob.IsEmpty());
    EXPECT_EQ(blob.Size(), 0u);
}

}  // namespace

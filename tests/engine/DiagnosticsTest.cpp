// The engine's failure reasons: OvLastError names the file or object and the
// cause, OvLogCallback hears the same text; success leaves the reason alone.
#include "ImageFixtures.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

namespace {

struct Heard {
    std::vector<std::string> reasons;
    static void Record(const char* reason, void* user) { static_cast<Heard*>(user)->reasons.push_back(reason); }
};

class EngineDiagnosticsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.IsValid());
        ASSERT_TRUE(window_.Created());
        ASSERT_EQ(OvRenderTargetActivate(window_.Target()), 1);
        ASSERT_EQ(OvTextureCreate(&texture_), 1);
    }
    void TearDown() override {
        OvTextureDestroy(texture_);
        OvLogCallback(nullptr, nullptr);
    }
    std::string Write(const char* name, const Bytes& bytes) {
        const std::string path = scratch_.Path(name);
        EXPECT_TRUE(WriteFile(path, bytes));
        return path;
    }

    EngineWindow window_{"diagnostics", 32, 32};
    OvHandle texture_{1, 0};
    OvTest::TempFolder scratch_{"ov_diagnostics"};
};

TEST_F(EngineDiagnosticsTest, MissingTextureFileNamesThePathAndTheCause) {
    Heard heard;
    OvLogCallback(Heard::Record, &heard);
    ASSERT_EQ(OvTextureLoad(texture_, "Data/none/missing.ovt", 1), 0);
    EXPECT_STREQ(OvLastError(), "engine: cannot open texture file: Data/none/missing.ovt: No such file or directory");
    EXPECT_EQ(heard.reasons, std::vector<std::string>{OvLastError()});
}

TEST_F(EngineDiagnosticsTest, EmptyAndUndecodableFilesAreTold) {
    const std::string empty = Write("empty.ovt", {});
    ASSERT_EQ(OvTextureLoad(texture_, empty.c_str(), 1), 0);
    EXPECT_EQ(std::string(OvLastError()),
              "engine: cannot read texture file: " + empty + ": empty, unreadable or too large");

    const std::string text = Write("text.ovt", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'});
    ASSERT_EQ(OvTextureLoad(texture_, text.c_str(), 1), 0);
    EXPECT_EQ(std::string(OvLastError()), "engine: image format refused: " + text);

    const Bytes garbage = {'O', 'V', 'I', 'M', 0xFF, 0xFF, 0xFF, 0x7F};
    ASSERT_EQ(OvTextureLoadFromMemory(texture_, garbage.data(), 1), 0);
    EXPECT_STREQ(OvLastError(), "engine: image format refused: memory without a size");
    ASSERT_EQ(OvTextureLoadFromMemorySized(texture_, garbage.data(), 8, 1), 0);
    EXPECT_STREQ(OvLastError(), "engine: image format refused: memory");
}

TEST_F(EngineDiagnosticsTest, SuccessKeepsThePreviousReason) {
    ASSERT_EQ(OvTextureLoad(texture_, "/nonexistent/a.ovt", 1), 0);
    const std::string png = Write("fine.png", EncodePng(2, 2, PatternPixels(2, 2)));
    ASSERT_EQ(OvTextureLoad(texture_, png.c_str(), 1), 1);
    EXPECT_STREQ(OvLastError(), "engine: cannot open texture file: /nonexistent/a.ovt: No such file or directory");
}

TEST_F(EngineDiagnosticsTest, ArchivesThatAreMissingOrNotArchivesAreTold) {
    OvVirtualFileTable table{};
    ASSERT_EQ(OvVirtualFileInfoOpen("/nonexistent/pack.zip", &table), 0);
    EXPECT_STREQ(OvLastError(), "engine: cannot open archive: /nonexistent/pack.zip: No such file or directory");
    ASSERT_EQ(OvVirtualFileInfoOpen("/tmp", &table), 0);
    EXPECT_STREQ(OvLastError(), "engine: cannot open archive: /tmp: not a regular file");
    const std::string text = Write("text.zip", Bytes(64, 'z'));
    ASSERT_EQ(OvVirtualFileInfoOpen(text.c_str(), &table), 0);
    EXPECT_EQ(std::string(OvLastError()), "engine: archive refused: " + text + ": Not a zip archive");
    OvVirtualFileInfoClose(&table);
}

TEST(EngineDiagnosticsWithoutWindow, RefusedSizesAndWindowsAreTold) {
    OvHandle texture{1, 0};
    ASSERT_EQ(OvTextureCreate(&texture), 1);
    ASSERT_EQ(OvTextureLoadEmpty(texture, 0, 3, 0), 0);
    EXPECT_STREQ(OvLastError(), "engine: texture refused: 0 x 3: size out of bounds");
    OvTextureDestroy(texture);
    ASSERT_EQ(OvRenderTargetCreate(&texture, nullptr, 0, 32), 0);
    EXPECT_STREQ(OvLastError(), "engine: render target refused: (nil) is not a live window");
}

}  // namespace

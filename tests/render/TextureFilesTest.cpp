// OV_TEXTURE creation from files and memory, saving, copies and release.
#include "RenderTestSupport.h"

#include "ovcore/app/Core.h"
#include "ovcore/data/Package.h"
#include "ovcore/render/TextureCollection.h"

#include <csignal>
#include <sys/resource.h>

using namespace OvCore;
using namespace OvTest;

namespace {

class TextureFilesTest : public RenderWindowTest {
protected:
    void SetUp() override {
        RenderWindowTest::SetUp();
        folder = scratch.Root();
    }
    void TearDown() override {
        texture.Release(false);
        RenderWindowTest::TearDown();
    }

    std::string WritePng(const char* name, int width, int height) {
        const std::string path = folder + "/" + name;
        EXPECT_TRUE(WriteBytes(path, EncodePng(width, height, PatternRgba(width, height))));
        return path;
    }

    bool Load(const std::string& list) {
        return texture.Load(list.c_str(), 1, TEXTURE_LINEAR, TEXTURE_LINEAR, 0, 0, -1, -1, 0, 0);
    }

    Bytes LockedBytes(OvHandle frame) {
        const auto* pixels = static_cast<const uint8_t*>(OvTextureLock(frame, 1));
        Bytes bytes;
        if (pixels) bytes.assign(pixels, pixels + *static_cast<const int*>(OvTextureGet(frame, TEXTURE_QUERY_BYTES)));
        OvTextureUnlock(frame, 0);
        return bytes;
    }

    OvTest::TempFolder scratch;
    std::string folder;
    OV_TEXTURE texture;
};

TEST_F(TextureFilesTest, FileListsSkipEmptyPiecesAndFailingFiles) {
    const std::string wide = WritePng("wide.png", 4, 2), tall = WritePng("tall.png", 3, 5);
    EXPECT_TRUE(Load(wide + ";;" + tall + ";"));
    EXPECT_EQ(texture.GetFrameCount(), 2);
    EXPECT_EQ(texture.width, 4);
    EXPECT_EQ(texture.height, 5);
    EXPECT_EQ(texture.boxWidth, 4);
    EXPECT_EQ(LockedBytes(texture.frames[1]), PatternRgba(3, 5));

    EXPECT_TRUE(Load(folder + "/missing.png;" + wide));
    EXPECT_EQ(texture.GetFrameCount(), 3);
}

TEST_F(TextureFilesTest, ListsWhereNothingLoadsFailAndLeaveTheTextureAsItWas) {
    EXPECT_FALSE(texture.Load(nullptr, 1, TEXTURE_LINEAR, TEXTURE_LINEAR, 0, 0, -1, -1, 0, 0));
    EXPECT_FALSE(Load(folder + "/a.png;" + folder + "/b.png"));
    EXPECT_FALSE(Load(";;"));
    EXPECT_EQ(texture.GetFrameCount(), 0);
    EXPECT_FLOAT_EQ(texture.GetFramePosition(), -1.0f);
    EXPECT_FALSE(texture.loaded);

    ASSERT_TRUE(Load(WritePng("one.png", 2, 2)));
    texture.CenterOrigin();
    EXPECT_FALSE(Load(folder + "/a.png"));
    EXPECT_EQ(texture.GetFrameCount(), 1);
    EXPECT_EQ(texture.originX, 1);
    EXPECT_TRUE(texture.loaded);
}

TEST_F(TextureFilesTest, ImagesWithLyingHeadersAreRefused) {
    Bytes png = EncodePng(4, 4, PatternRgba(4, 4));
    Bytes huge = png;
    // IHDR width (bytes 16..19, big-endian) far beyond any limit.
    huge[16] = 0x7F;
    EXPECT_TRUE(WriteBytes(folder + "/huge.png", huge));
    Bytes truncated(png.begin(), png.begin() + static_cast<long>(png.size() / 2));
    EXPECT_TRUE(WriteBytes(folder + "/truncated.png", truncated));
    EXPECT_TRUE(WriteBytes(folder + "/text.png", Bytes{'n', 'o', 't', ' ', 'p', 'n', 'g'}));
    EXPECT_FALSE(Load(folder + "/huge.png;" + folder + "/truncated.png;" + folder + "/text.png"));
    EXPECT_EQ(texture.GetFrameCount(), 0);

    // In memory only images bounded by their own bytes are offered.
    const void* images[] = {huge.data()};
    EXPECT_FALSE(texture.LoadFromMemory(images, 1, 1, TEXTURE_LINEAR, TEXTURE_LINEAR, 0, 0, -1, -1, 0, 0));
    EXPECT_EQ(texture.GetFrameCount(), 0);
}

TEST_F(TextureFilesTest, MemoryImagesSkipNullEntries) {
    const Bytes png = EncodePng(3, 2, PatternRgba(3, 2));
    const void* images[] = {nullptr, png.data(), nullptr};
    EXPECT_FALSE(texture.LoadFromMemory(images, 0, 1, TEXTURE_LINEAR, TEXTURE_LINEAR, 0, 0, -1, -1, 0, 0));
    EXPECT_FALSE(texture.LoadFromMemory(nullptr, 3, 1, TEXTURE_LINEAR, TEXTURE_LINEAR, 0, 0, -1, -1, 0, 0));
    EXPECT_TRUE(texture.LoadFromMemory(images, 3, 1, TEXTURE_LINEAR, TEXTURE_LINEAR, 1, 1, 0, 0, 0, 0));
    EXPECT_EQ(texture.GetFrameCount(), 1);
    EXPECT_EQ(texture.width, 3);
    EXPECT_EQ(texture.boxWidth, 0);
    EXPECT_EQ(texture.corners[0], OV_VECTOR(-1, -1));
}

TEST_F(TextureFilesTest, RenderCopiesTakeTheTargetsPixels) {
    ClearFrame(1, 0, 0);
    EXPECT_TRUE(texture.LoadFromRender(0, 0, 8, 4, TEXTURE_NEAREST, TEXTURE_NEAREST, 0, 0, -1, -1, 0, 0));
    EXPECT_EQ(texture.width, 8);
    EXPECT_EQ(texture.height, 4);
    const Bytes bytes = LockedBytes(texture.GetCurrentFrame());
    ASSERT_EQ(bytes.size(), 8u * 4 * 4);
    EXPECT_EQ(bytes[0], 255);
    EXPECT_EQ(bytes[1], 0);
    OV_TEXTURE outside;
    EXPECT_FALSE(outside.LoadFromRender(0, 0, 4 * kSize, 4, TEXTURE_NEAREST, TEXTURE_NEAREST, 0, 0, -1, -1, 0, 0));
    EXPECT_FALSE(outside.loaded);
}

TEST_F(TextureFilesTest, SaveFrameWritesTheLockedBytesAndKeepsTheOldFileOnFailure) {
    ASSERT_TRUE(Load(WritePng("a.png", 4, 4)));
    const std::string path = folder + "/frame.raw";
    ASSERT_TRUE(texture.SaveFrame(path.c_str()));
    EXPECT_EQ(ReadBytes(path), PatternRgba(4, 4));

    const Bytes previous{'o', 'l', 'd'};
    ASSERT_TRUE(WriteBytes(path, previous));
    OV_TEXTURE none;
    EXPECT_FALSE(none.SaveFrame(path.c_str()));
    EXPECT_FALSE(texture.SaveFrame((folder + "/no/such/folder").c_str()));

    // A file-size limit below the frame's 64 bytes makes the write fail.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = texture.SaveFrame(path.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), previous);
}

TEST_F(TextureFilesTest, SavePackNumbersTheFramesThatLock) {
    ASSERT_TRUE(Load(WritePng("a.png", 2, 2) + ";" + WritePng("b.png", 3, 1)));
    OvHandle dead{1, 0};
    OvTextureCreate(&dead);
    OvTextureDestroy(dead);
    texture.frames.insert(texture.frames.begin() + 1, dead);

    const std::string path = folder + "/frames.pack";
    ASSERT_TRUE(texture.SavePack(path.c_str()));
    OV_PACKAGE package;
    ASSERT_TRUE(package.Open(path.c_str()));
    ASSERT_EQ(package.Count(), 2u);
    uint32_t index = 0;
    OV_MEMORY_FILE entry;
    ASSERT_TRUE(package.FindEntry("0", index));
    ASSERT_TRUE(package.LoadEntry(entry, index));
    EXPECT_EQ(Bytes(entry.Data(), entry.Data() + entry.size), PatternRgba(2, 2));
    ASSERT_TRUE(package.FindEntry("1", index));
    ASSERT_TRUE(package.LoadEntry(entry, index));
    EXPECT_EQ(Bytes(entry.Data(), entry.Data() + entry.size), PatternRgba(3, 1));
    // Every frame was unlocked again: it can be loaded into.
    EXPECT_EQ(OvTextureLoadEmpty(texture.frames[0], 1, 1, 1), 1);

    OV_TEXTURE deadOnly;
    deadOnly.AddFrame(dead);
    const std::string nothing = folder + "/nothing.pack";
    EXPECT_FALSE(deadOnly.SavePack(nothing.c_str()));
    EXPECT_TRUE(ReadBytes(nothing).empty());
}

TEST_F(TextureFilesTest, CopiesShareFramesAndOnlyTheOwnersReleaseDestroysThem) {
    ASSERT_TRUE(Load(WritePng("a.png", 2, 2)));
    const OvHandle frame = texture.GetCurrentFrame();
    OV_TEXTURE copy = texture;
    EXPECT_TRUE(SameHandle(copy.GetCurrentFrame(), frame));
    copy.Release(true);
    EXPECT_EQ(copy.GetFrameCount(), 0);
    EXPECT_NE(OvTextureGet(frame, TEXTURE_QUERY_WIDTH), nullptr);

    texture.Release(false);
    EXPECT_EQ(OvTextureGet(frame, TEXTURE_QUERY_WIDTH), nullptr);
    EXPECT_FALSE(texture.loaded);
    EXPECT_TRUE(IsEmptyHandle(texture.GetCurrentFrame()));
    EXPECT_EQ(texture.Lock(nullptr, nullptr), nullptr);
    EXPECT_TRUE(Load(WritePng("b.png", 2, 2)));
}

TEST_F(TextureFilesTest, CoreClearReleasesTheTextureCollection) {
    OV_TEXTURE* held = Textures().Get("sprite", 0);
    ASSERT_TRUE(held->LoadEmpty(2, 2, TEXTURE_NEAREST, TEXTURE_NEAREST, 0, 0, -1, -1, 0, 0));
    const OvHandle frame = held->GetCurrentFrame();
    core.Clear();
    EXPECT_EQ(Textures().Count(), 0u);
    EXPECT_EQ(OvTextureGet(frame, TEXTURE_QUERY_WIDTH), nullptr);
}

}  // namespace

namespace {

std::vector<int> g_clearOrder;

TEST_F(TextureFilesTest, CoreClearRunsTheStagesInOrderAfterTheTextures) {
    ASSERT_TRUE(Textures().Get("wall", 0)->LoadEmpty(1, 1, TEXTURE_NEAREST, TEXTURE_NEAREST, 0, 0, -1, -1, 0, 0));
    g_clearOrder.clear();
    core.SetClearHook(OV_CLEAR_STAGE::SOCKETS, [] { g_clearOrder.push_back(2); });
    core.SetClearHook(OV_CLEAR_STAGE::ACTORS, [] { g_clearOrder.push_back(static_cast<int>(Textures().Count())); });
    core.SetClearHook(OV_CLEAR_STAGE::COUNT, [] { g_clearOrder.push_back(9); });
    core.Clear();
    core.SetClearHook(OV_CLEAR_STAGE::SOCKETS, nullptr);
    core.SetClearHook(OV_CLEAR_STAGE::ACTORS, nullptr);
    core.Clear();
    EXPECT_EQ(g_clearOrder, (std::vector<int>{0, 2}));
}

}  // namespace

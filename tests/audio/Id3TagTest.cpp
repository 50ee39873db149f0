#include "ovcore/audio/Id3Tag.h"
#include "tests/audio/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace OvCore;
using namespace OvTest;

namespace {

std::string Field(const char* text, size_t width) {
    std::string field(text);
    field.resize(width, ' ');
    return field;
}

std::string TagBlock(const char* mark) {
    return std::string(mark, 3) + Field("Title Here", 30) + Field("Artist", 30) + Field("Album", 30) + "1999" +
           Field("Comment", 30) + "\x11";
}

OV_ID3_TAG Filled() {
    OV_ID3_TAG tag;
    std::memset(&tag, '#', sizeof tag);
    return tag;
}

class Id3TagTest : public ::testing::Test {
protected:
    std::string Write(const std::string& bytes) {
        const std::string path = folder_ + "/f" + std::to_string(count_++) + ".mp3";
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }
    std::string folder_ = FreshFolder();
    int count_ = 0;
};

TEST_F(Id3TagTest, ATagAtTheEndFillsTheRecordFieldByField) {
    OV_ID3_TAG tag = Filled();
    ASSERT_TRUE(ReadId3Tag(Write(std::string(5000, 'x') + TagBlock("TAG")).c_str(), &tag));
    EXPECT_EQ(std::string(tag.title, 30), Field("Title Here", 30));
    EXPECT_EQ(std::string(tag.artist, 30), Field("Artist", 30));
    EXPECT_EQ(std::string(tag.year, 4), "1999");
    EXPECT_EQ(std::string(tag.comment, 30), Field("Comment", 30));
    EXPECT_EQ(tag.genre, 0x11);
    // A file that is exactly the block.
    tag = Filled();
    EXPECT_TRUE(ReadId3Tag(Write(TagBlock("TAG")).c_str(), &tag));
    EXPECT_EQ(tag.album[0], 'A');
}

TEST_F(Id3TagTest, FilesWithoutTheMarkOrTooShortForTheBlockLeaveTheRecordUnchanged) {
    const OV_ID3_TAG before = Filled();
    OV_ID3_TAG tag = before;
    EXPECT_FALSE(ReadId3Tag(Write(std::string(300, 'x') + TagBlock("TAX")).c_str(), &tag));
    // The mark is not at the start of the last 128 bytes.
    EXPECT_FALSE(ReadId3Tag(Write(TagBlock("TAG") + "z").c_str(), &tag));
    // Too short for the block, even with the mark at its start.
    EXPECT_FALSE(ReadId3Tag(Write("TAG" + std::string(47, 'q')).c_str(), &tag));
    EXPECT_FALSE(ReadId3Tag(Write("").c_str(), &tag));
    EXPECT_FALSE(ReadId3Tag((folder_ + "/missing.mp3").c_str(), &tag));
    EXPECT_FALSE(ReadId3Tag(folder_.c_str(), &tag));
    EXPECT_FALSE(ReadId3Tag(nullptr, &tag));
    EXPECT_FALSE(ReadId3Tag(Write(TagBlock("TAG")).c_str(), nullptr));
    EXPECT_EQ(std::memcmp(&tag, &before, sizeof tag), 0);
}

}  // namespace

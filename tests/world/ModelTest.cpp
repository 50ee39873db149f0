// Soft-body models: the "envboxmodel2d" loader (what it builds, and every
// file it refuses with the model left as it was), texture loading, bones
// drawn in pixels, and the core's model collection.
#include "WorldTestSupport.h"

#include "ovcore/render/TextureCollection.h"
#include "ovcore/world/ModelFile.h"
#include "ovcore/world/Models.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include "tests/support/TempFolder.h"

#include <stb/stb_image_write.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace OvCore;

namespace {

constexpr unsigned kRed = 0xFF0000u;
constexpr unsigned kBlack = 0x000000u;
constexpr unsigned kWhite = 0xFFFFFFu;

// Three substances in an L, a surface over them, two forces and a bone.
OV_MODEL_FILE SampleFile() {
    OV_MODEL_FILE file;
    file.substances = {{10, 20, 1, 4, 1}, {40, 20, 2, 5, 0}, {10, 60, 0, 6, 1}};
    OV_MODEL_FILE::Surface surface;
    surface.corners[0] = 0, surface.corners[1] = 1, surface.corners[2] = 2;
    for (int k = 0; k < 6; ++k) surface.coords[k] = 0.125 * k;
    surface.texture = "skin";
    file.surfaces = {surface};
    file.forces = {{0, 1, 3}, {0, 2, 5}};
    OV_MODEL_FILE::Bone bone;
    bone.texture = "bone";
    bone.originX = 3, bone.originY = 2.9, bone.width = 21, bone.height = 5, bone.force = 1, bone.flip = true;
    file.bones = {bone};
    return file;
}

std::string Text(const OV_MODEL_FILE& file) { return file.Write(); }

std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

OvFour PositionOf(OvHandle substance) {
    return *static_cast<const OvFour*>(OvSubstanceGet(substance, OV_SUBSTANCE_POSITION));
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

bool WriteSolidPng(const std::string& path, unsigned char r, unsigned char g, unsigned char b) {
    unsigned char pixels[4 * 4 * 4];
    for (int i = 0; i < 16; ++i)
        pixels[4 * i] = r, pixels[4 * i + 1] = g, pixels[4 * i + 2] = b, pixels[4 * i + 3] = 255;
    return stbi_write_png(path.c_str(), 4, 4, 4, pixels, 16) != 0;
}

class ModelTest : public OvTest::WorldTest {
protected:
    OV_MODEL model;

    void SetUp() override {
        WorldTest::SetUp();
        OvSetState(OV_STATE_PHYSICS_CLOCK, 1);
        model.Recreate();
    }
    void TearDown() override {
        model.Destroy();
        OvSetState(OV_STATE_PHYSICS_CLOCK, 0);
        WorldTest::TearDown();
    }

    bool LoadText(const std::string& text, OV_NAMED_LIST<OV_TEXTURE>* textures = nullptr,
                  const OV_MATRIX* transform = nullptr) {
        return model.LoadBody(text.data(), text.size(), textures, transform, 1, 1, 1, 1, 1);
    }
};

}  // namespace

TEST(ModelFileTest, WrittenFilesReadBackAndTheHeaderIsExact) {
    const std::string text = Text(SampleFile());
    EXPECT_EQ(text.substr(0, 21), "envboxmodel2d\r\n2\r\n3\r\n");
    OV_MODEL_FILE read;
    ASSERT_TRUE(read.Parse(text.data(), text.size()));
    EXPECT_EQ(read.Write(), text);
    EXPECT_EQ(read.bones[0].originY, 2.9);
    EXPECT_EQ(read.surfaces[0].texture, "skin");

    std::string lf = text;
    for (size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
    EXPECT_TRUE(read.Parse(lf.data(), lf.size())) << "bare line feeds read alike";

    for (const std::string& refused :
         {Lines({"envboxmodel2d", "1", "0", "0", "0", "0"}), Lines({"envboxmodel2d"}), Lines({"envboxmodel2d", "2 "}),
          Lines({"EnvBoxModel2d", "2", "0", "0", "0", "0"}), std::string()})
        EXPECT_FALSE(read.Parse(refused.data(), refused.size())) << refused;
    EXPECT_EQ(read.Write(), text) << "a refused parse leaves the content";
    const std::string unended = "envboxmodel2d\r\n2\r\n0\r\n0\r\n0\r\n0";
    EXPECT_TRUE(read.Parse(unended.data(), unended.size())) << "no ending after the last line";
    EXPECT_TRUE(read.substances.empty());
}

TEST_F(ModelTest, LoadBodyBuildsSubstancesSurfacesForcesAndBones) {
    OV_NAMED_LIST<OV_TEXTURE> textures;
    textures.Get("skin", 0)->AddFrame(OvHandle{0, 9001});
    textures.Get("skin", 0)->SetFrame(0);
    const OV_MATRIX transform = OV_MATRIX().Translate(100, 50, 0).Scale(2, 2, 1);
    ASSERT_TRUE(model.LoadBody(Text(SampleFile()).data(), Text(SampleFile()).size(), &textures, &transform, 2, 0.5, 10,
                               3, 0.5));
    ASSERT_EQ(model.SubstanceCount(), 3);
    ASSERT_EQ(model.SurfaceCount(), 1);
    ASSERT_EQ(model.ForceCount(), 2);
    const OvHandle* substances = model.Substances();
    EXPECT_EQ(PositionOf(substances[1]).x, 180);
    EXPECT_EQ(PositionOf(substances[1]).y, 90);
    EXPECT_EQ(*static_cast<double*>(OvSubstanceGet(substances[1], OV_SUBSTANCE_MASS)), 20);
    EXPECT_EQ(*static_cast<double*>(OvSubstanceGet(substances[1], OV_SUBSTANCE_RANGE)), 15);
    EXPECT_EQ(*static_cast<int*>(OvSubstanceGet(substances[0], OV_SUBSTANCE_SOLID)), 1);
    EXPECT_EQ(*static_cast<int*>(OvSubstanceGet(substances[1], OV_SUBSTANCE_SOLID)), 0);

    const OvHandle surface = model.Surfaces()[0];
    EXPECT_EQ(static_cast<OvHandle*>(OvSurfaceGet(surface, OV_SURFACE_CORNER + 2))->word1, substances[2].word1);
    EXPECT_EQ(static_cast<OvFour*>(OvSurfaceGet(surface, OV_SURFACE_COORD + 2))->y, 0.625);
    EXPECT_EQ(static_cast<OvHandle*>(OvSurfaceGet(surface, OV_SURFACE_TEXTURE))->word1, 9001u);

    const OvHandle force = model.Forces()[1];
    EXPECT_EQ(static_cast<OvHandle*>(OvCovalenceForceGet(force, OV_FORCE_SECOND))->word1, substances[2].word1);
    EXPECT_EQ(*static_cast<double*>(OvCovalenceForceGet(force, OV_FORCE_LENGTH)), 80) << "distance after the transform";
    EXPECT_EQ(*static_cast<double*>(OvCovalenceForceGet(force, OV_FORCE_RESILIENCE)), 2.5);

    ASSERT_EQ(model.bones.size(), 1u);
    const OV_BONE& bone = model.BonesArray()[0];
    EXPECT_EQ(bone.force, model.Forces() + 1);
    EXPECT_EQ(bone.originX, 6);
    EXPECT_EQ(bone.originY, 1) << "2.9 x 0.5 truncated";
    EXPECT_EQ(bone.width, 42);
    EXPECT_EQ(bone.height, 2);
    EXPECT_TRUE(bone.flip);
    EXPECT_FALSE(bone.stretch);
    EXPECT_TRUE(IsEmptyHandle(bone.texture)) << "no texture of that name";
}

TEST_F(ModelTest, FaultyFilesAreRefusedWithTheModelAsItWas) {
    const std::string good = Text(SampleFile());
    ASSERT_TRUE(LoadText(good));
    const OvHandle firstSubstance = model.Substances()[0];
    const OV_BONE* bonesBefore = model.BonesArray();

    auto expectUnchanged = [&](const std::string& text, const char* why) {
        EXPECT_FALSE(LoadText(text)) << why << "\n" << text;
        EXPECT_EQ(model.SubstanceCount(), 3) << why;
        EXPECT_EQ(model.ForceCount(), 2) << why;
        EXPECT_EQ(model.Substances()[0].word1, firstSubstance.word1) << why;
        EXPECT_EQ(model.BonesArray(), bonesBefore) << why;
        EXPECT_EQ(model.bones.size(), 1u) << why;
    };
    size_t cut = 0;
    for (int line = 0; (cut = good.find("\r\n", cut)) != std::string::npos && cut + 2 < good.size(); ++line) {
        cut += 2;
        expectUnchanged(good.substr(0, cut), "ends early");
    }
    expectUnchanged(Lines({"envboxmodel2d", "2", "2000000000", "1", "2", "3", "4", "5"}), "count beyond the file");
    expectUnchanged(Lines({"envboxmodel2d", "2", "-1", "0", "0", "0"}), "negative count");
    expectUnchanged(Lines({"envboxmodel2d", "2", "0", "0", "1", "0", "0", "1", "0"}), "force index, no substances");
    expectUnchanged(Lines({"envboxmodel2d", "2", "0", "0", "0", "1", "t.png", "0", "0", "8", "8", "-0.5", "0", "0"}),
                    "bone on force -0.5 (entry 0) of none");
    expectUnchanged(Lines({"envboxmodel2d", "2", "1", "0", "0", "1", "0", "0", "0", "1", "0", "1", "nan", "1", "0"}),
                    "a force index that is not a number");
    OV_MODEL_FILE badSurface = SampleFile();
    badSurface.surfaces[0].corners[2] = 3;
    expectUnchanged(Text(badSurface), "surface corner 3 of 3 substances");
    OV_MODEL_FILE badBone = SampleFile();
    badBone.bones[0].force = 2;
    expectUnchanged(Text(badBone), "bone on force 2 of 2");
    expectUnchanged(Lines({"envboxmodel2d", "1", "0", "0", "0", "0"}), "version 1");
    EXPECT_FALSE(model.LoadBody(nullptr, 10, nullptr, nullptr, 1, 1, 1, 1, 1));
    EXPECT_FALSE(model.LoadBody("/nonexistent/model.envboxmodel2d", nullptr, nullptr, 1, 1, 1, 1, 1));

    OV_MODEL empty;
    EXPECT_FALSE(empty.LoadBody(good.data(), good.size(), nullptr, nullptr, 1, 1, 1, 1, 1)) << "no DNA yet";
    EXPECT_TRUE(empty.bones.empty());
}

TEST_F(ModelTest, LinkGetCountAndBoneHelpers) {
    EXPECT_TRUE(model.Birth(2, 1, 3, 4));
    EXPECT_EQ(model.SubstanceCount(), 2);
    EXPECT_EQ(model.SurfaceCount(), 1);
    EXPECT_EQ(model.ForceCount(), 3);
    ASSERT_EQ(model.bones.size(), 4u);
    OvHandle substance = EmptyHandle();
    OvSubstanceCreate(&substance);
    EXPECT_TRUE(model.LinkSubstance(1, substance));
    EXPECT_FALSE(model.LinkSubstance(2, substance));
    EXPECT_EQ(model.Substances()[1].word1, substance.word1);
    EXPECT_TRUE(IsEmptyHandle(model.FourthKind()));
    EXPECT_TRUE(model.LinkFourthKind(OvHandle{0, 55}));
    EXPECT_EQ(model.FourthKind().word1, 55u);
    EXPECT_TRUE(model.SetBone(3, OvHandle{0, 7}, model.Forces() + 2, 1, 2, 3, 4, BONE_STRETCH, 45));
    EXPECT_FALSE(model.SetBone(4, OvHandle{0, 7}, nullptr, 1, 2, 3, 4, 0, 0));
    EXPECT_FALSE(model.SetBone(-1, OvHandle{0, 7}, nullptr, 1, 2, 3, 4, 0, 0));
    const OV_BONE& bone = model.BonesArray()[3];
    EXPECT_TRUE(bone.stretch);
    EXPECT_FALSE(bone.flip);
    EXPECT_EQ(bone.height, 4);
    EXPECT_EQ(bone.angle, 45);
    EXPECT_TRUE(model.Birth(0, 0, 0, 0));
    EXPECT_EQ(model.bones.size(), 4u) << "zero bones keeps them";
    EXPECT_FALSE(model.Birth(-1, 0, 0, 0));
    model.Destroy();
    EXPECT_TRUE(IsEmptyHandle(model.dna));
    EXPECT_EQ(OvSubstanceGet(substance, OV_SUBSTANCE_POSITION), nullptr) << "destroyed with the DNA";
    EXPECT_EQ(model.BonesArray(), nullptr);
    EXPECT_EQ(model.SubstanceCount(), 0);
}

namespace {

// A model over two pinned substances A and B with one force and one red
// bone 20 long and 4 across, anchored 2 across at A.
class BoneDrawTest : public OvTest::GlWorldTest {
protected:
    OV_MODEL model;
    OV_TEXTURE red;
    OvHandle a = EmptyHandle(), b = EmptyHandle();

    void SetUp() override {
        GlWorldTest::SetUp();
        OvSetState(OV_STATE_PHYSICS_CLOCK, 1);
        ASSERT_TRUE(red.LoadEmpty(4, 4, 234, 234, 0, 0, -1, -1, 0, 0));
        int w = 0, h = 0;
        auto* pixels = static_cast<uint32_t*>(red.Lock(&w, &h));
        ASSERT_NE(pixels, nullptr);
        for (int i = 0; i < w * h; ++i) pixels[i] = 0xFF0000FFu;  // R, G, B, A bytes: red
        red.Unlock(1);
        model.Recreate();
        model.Birth(2, 0, 1, 1);
        a = Pinned(0, 10, 20);
        b = Pinned(1, 40, 20);
        OvHandle force = EmptyHandle();
        OvCovalenceForceCreate(&force);
        OvCovalenceForceSetSubstance(force, OV_FORCE_FIRST, a);
        OvCovalenceForceSetSubstance(force, OV_FORCE_SECOND, b);
        model.LinkForce(0, force);
    }
    void TearDown() override {
        model.Destroy();
        red.Release(false);
        OvSetState(OV_STATE_PHYSICS_CLOCK, 0);
        GlWorldTest::TearDown();
    }

    OvHandle Pinned(int index, double x, double y) {
        OvHandle s = EmptyHandle();
        OvSubstanceCreate(&s);
        OvSubstanceSetPosition(s, OvFour{x, y, 0, 1}, 1);
        model.LinkSubstance(index, s);
        return s;
    }

    void DrawBone(int flags) {
        model.SetBone(0, red.GetCurrentFrame(), model.Forces(), 0, 2, 20, 4, flags, 0);
        OvRenderScene(OV_SCENE_CLEAR_COLOR);
        model.Draw();
    }
};

}  // namespace

TEST_F(BoneDrawTest, ABoneRunsItsWidthFromTheAnchorAlongTheForce) {
    DrawBone(0);
    EXPECT_EQ(Pixel(10, 20), kRed);
    EXPECT_EQ(Pixel(29, 18), kRed);
    EXPECT_EQ(Pixel(29, 21), kRed);
    EXPECT_EQ(Pixel(30, 20), kBlack) << "width 20 from x = 10";
    EXPECT_EQ(Pixel(20, 17), kBlack) << "2 above the force";
    EXPECT_EQ(Pixel(20, 22), kBlack) << "2 below it";
    EXPECT_EQ(Pixel(9, 20), kBlack);
    EXPECT_EQ(model.bones[0].angle, 0);
}

TEST_F(BoneDrawTest, AStretchedBoneReachesTheOtherSubstanceWhereverItMoves) {
    DrawBone(BONE_STRETCH);
    EXPECT_EQ(Pixel(39, 20), kRed);
    EXPECT_EQ(Pixel(40, 20), kBlack);
    OvSubstanceSetPosition(b, OvFour{55, 20, 0, 1}, 1);
    DrawBone(BONE_STRETCH);
    EXPECT_EQ(Pixel(54, 20), kRed) << "longer with the force";
    EXPECT_EQ(Pixel(55, 20), kBlack);
    DrawBone(0);
    EXPECT_EQ(Pixel(29, 20), kRed);
    EXPECT_EQ(Pixel(31, 20), kBlack) << "unstretched, it keeps its width";
}

TEST_F(BoneDrawTest, AFlippedBoneHangsFromTheSecondSubstanceBackTowardsTheFirst) {
    DrawBone(BONE_FLIP);
    EXPECT_EQ(Pixel(39, 20), kRed);
    EXPECT_EQ(Pixel(21, 20), kRed);
    EXPECT_EQ(Pixel(19, 20), kBlack) << "20 back from x = 40";
    EXPECT_EQ(Pixel(41, 20), kBlack);
    EXPECT_EQ(model.bones[0].angle, 180);
    EXPECT_EQ(Pixel(30, 21), kRed) << "rotated half a turn: the 2 above the anchor line lie below it";
    EXPECT_EQ(Pixel(30, 22), kBlack);
}

TEST_F(BoneDrawTest, AVerticalBoneTurnsWithItsForceAndUndrawableBonesAreSkipped) {
    OvSubstanceSetPosition(b, OvFour{10, 45, 0, 1}, 1);
    DrawBone(0);
    EXPECT_EQ(model.bones[0].angle, 90);
    EXPECT_EQ(Pixel(10, 39), kRed);
    EXPECT_EQ(Pixel(10, 40), kBlack);
    EXPECT_EQ(Pixel(20, 30), kBlack);

    model.SetBone(0, EmptyHandle(), model.Forces(), 0, 2, 20, 4, 0, 0);
    OvRenderScene(OV_SCENE_CLEAR_COLOR);
    model.Draw();
    EXPECT_EQ(Pixel(10, 30), kBlack) << "no texture";
    model.SetBone(0, red.GetCurrentFrame(), nullptr, 0, 2, 20, 4, 0, 0);
    model.Draw();
    EXPECT_EQ(Pixel(10, 30), kBlack) << "no force";
    OvSubstanceDestroy(a);
    DrawBone(0);
    EXPECT_EQ(Pixel(10, 30), kBlack) << "a force end gone";
}

TEST_F(BoneDrawTest, TheCoresModelsDrawInTheLayerPassesAndGoWithTheWorld) {
    JoinModels();
    OV_MODEL& jelly = *Models().Get("jelly", 0);
    jelly.Recreate();
    const std::string text = Lines({"envboxmodel2d",
                                    "2",
                                    "3",
                                    "0",
                                    "0",
                                    "0",
                                    "0",
                                    "0",
                                    "60",
                                    "0",
                                    "0",
                                    "0",
                                    "0",
                                    "0",
                                    "40",
                                    "0",
                                    "0",
                                    "0",
                                    "1",
                                    "0",
                                    "1",
                                    "2",
                                    "0",
                                    "0",
                                    "1",
                                    "0",
                                    "0",
                                    "1",
                                    "",
                                    "0",
                                    "0"});
    ASSERT_TRUE(jelly.LoadBody(text.data(), text.size(), nullptr, nullptr, 1, 1, 1, 1, 1));
    OvTextureUnactivate();
    world.FrameStep();
    EXPECT_EQ(Pixel(5, 5), kWhite) << "the untextured surface in the drawing colour";
    EXPECT_EQ(Pixel(50, 30), kBlack);
    const OvHandle dna = jelly.dna;
    const OvHandle corner = jelly.Substances()[0];
    core.Clear();
    EXPECT_EQ(Models().Count(), 0u);
    EXPECT_EQ(OvDnaCount(dna, OV_DNA_SUBSTANCES), 0) << "its DNA destroyed";
    EXPECT_EQ(OvSubstanceGet(corner, OV_SUBSTANCE_POSITION), nullptr);
}

TEST_F(BoneDrawTest, TexturesLoadOnceFromTheTextureFolder) {
    const OvTest::TempFolder scratch;
    const std::string folder = scratch.Root();
    ASSERT_TRUE(WriteSolidPng(folder + "/skin.ovt", 0, 255, 0));
    ASSERT_TRUE(WriteSolidPng(folder + "/bone.ovt", 255, 0, 0));
    OV_MODEL_FILE file = SampleFile();
    file.surfaces.push_back(file.surfaces[0]);
    file.surfaces[1].texture = "missing";
    const std::string path = folder + "/sample.envboxmodel2d";
    ASSERT_TRUE(WriteFile(path, Text(file)));

    OV_NAMED_LIST<OV_TEXTURE> textures;
    ASSERT_TRUE(model.LoadTextures(path.c_str(), folder.c_str(), textures));
    ASSERT_TRUE(model.LoadTextures(path.c_str(), folder.c_str(), textures));
    EXPECT_EQ(textures.Count(), 3u);
    EXPECT_EQ(textures.Get("skin", 0)->GetFrameCount(), 1) << "loaded once, not appended again";
    EXPECT_EQ(textures.Get("bone", 0)->GetFrameCount(), 1);
    EXPECT_EQ(textures.Get("bone", 0)->width, 4);
    EXPECT_EQ(textures.Get("missing", 0)->GetFrameCount(), 0);

    ASSERT_TRUE(model.Load(path.c_str(), folder.c_str(), &textures, nullptr, 1, 1, 1, 1, 1));
    EXPECT_EQ(textures.Get("bone", 0)->GetFrameCount(), 1);
    EXPECT_EQ(model.bones[0].texture.word1, textures.Get("bone", 0)->GetCurrentFrame().word1);
    EXPECT_TRUE(IsEmptyHandle(*static_cast<OvHandle*>(OvSurfaceGet(model.Surfaces()[1], OV_SURFACE_TEXTURE))));

    OV_NAMED_LIST<OV_TEXTURE> untouched;
    const std::string broken = Lines({"envboxmodel2d", "2", "0", "1", "0"});
    EXPECT_FALSE(model.LoadTextures(broken.data(), broken.size(), folder.c_str(), untouched));
    EXPECT_FALSE(model.LoadTextures("/nonexistent.envboxmodel2d", folder.c_str(), untouched));
    EXPECT_EQ(untouched.Count(), 0u);
    for (auto it = textures.Begin(); !it.IsEnd(); it.Next()) it.Value()->Release(false);
    std::system(("rm -rf " + folder).c_str());
}

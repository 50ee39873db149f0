#include "RenderTestSupport.h"

#include "ovcore/app/Core.h"
#include "ovcore/render/ShaderCollection.h"
#include "ovcore/render/ShaderStore.h"

#include <string>

namespace {

using namespace OvCore;
using OvTest::Rgba;

const char* kVertex = R"(#version 120
attribute vec4 aColour;
uniform int uUseAttribute;
void main() {
    gl_FrontColor = uUseAttribute == 1 ? aColour : gl_Color;
    gl_Position = ftransform();
})";
const char* kFragment = R"(#version 120
uniform vec4 uTint;
uniform ivec4 uLevels;
void main() { gl_FragColor = gl_Color * uTint * vec4(uLevels) / 255.0; })";
const char* kBrokenFragment = "#version 120\nvoid main() { gl_FragColor = undefinedThing; }";
const char* kAssemblyVertex = R"(!!ARBvp1.0
PARAM offset = program.local[1];
TEMP p;
ADD p, vertex.position, offset;
DP4 result.position.x, state.matrix.mvp.row[0], p;
DP4 result.position.y, state.matrix.mvp.row[1], p;
DP4 result.position.z, state.matrix.mvp.row[2], p;
DP4 result.position.w, state.matrix.mvp.row[3], p;
MOV result.color, vertex.color;
END
)";
const char* kAssemblyFragment = R"(!!ARBfp1.0
PARAM tint = program.local[0];
MUL result.color, fragment.color, tint;
END
)";

struct Vec4 {
    double x, y, z, w;
};

void Quad(double x1, double y1, double x2, double y2) {
    const Vec4 corners[4] = {{x1, y1, 0, 1}, {x2, y1, 0, 1}, {x2, y2, 0, 1}, {x1, y2, 0, 1}};
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, corners, nullptr, nullptr, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
}

std::string Log(const OV_SHADER_STORE& store, int index) {
    OV_STRING text;
    store.GetLog(index, text);
    return text.Get();
}

// GL's own message for a fragment shader source that does not compile.
std::string CompilerMessage(const char* source) {
    OvHandle shader{1, 0};
    OvShaderCreate(&shader);
    OvShaderLoadFromMemory(shader, OV_SHADER_FRAGMENT, source);
    std::string message = OvShaderLastLog();
    OvShaderDestroy(shader);
    return message;
}

class ShaderStoreTest : public OvTest::RenderWindowTest {
protected:
    void TearDown() override {
        DeactivateShaders();
        store.Release();
        RenderWindowTest::TearDown();
    }
    OV_SHADER_STORE store;
};

TEST_F(ShaderStoreTest, SlotsGrowToTheIndexAndALinkedBuildLogsItsThreeSteps) {
    ASSERT_TRUE(InitShaders());
    EXPECT_FALSE(store.LoadFromMemory(-1, OV_SHADER_LINKED, kVertex, kFragment));
    EXPECT_EQ(store.GetCount(), 0);
    ASSERT_TRUE(store.LoadFromMemory(5, OV_SHADER_LINKED, kVertex, kFragment));
    EXPECT_EQ(store.GetCount(), 6);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Log(store, i), "");
        EXPECT_FALSE(store.Activate(i));
    }
    EXPECT_EQ(Log(store, 5),
              "Load Vertex Shader: Successful!\r\nLoad Fragment Shader: Successful!\r\n"
              "Make Shader Program: Successful!\r\n");
    EXPECT_EQ(Log(store, 6), "");
    EXPECT_EQ(Log(store, -1), "");
    EXPECT_FALSE(store.LoadFromMemory(7, 14, kVertex, kFragment));
    EXPECT_FALSE(store.Activate(7));
    EXPECT_FALSE(store.Activate(-1));
    EXPECT_EQ(store.UniformLocation(-1, "uTint"), -1);
    EXPECT_EQ(store.UniformLocation(100, "uTint"), -1);
    EXPECT_EQ(store.UniformLocation(2, "uTint"), -1);
    EXPECT_GE(store.UniformLocation(5, "uTint"), 0);
    EXPECT_GE(store.AttributeLocation(5, "aColour"), 0);
}

TEST_F(ShaderStoreTest, AFailedFragmentShaderLogsGlsMessageBetweenPrefixAndLineEnd) {
    const std::string message = CompilerMessage(kBrokenFragment);
    ASSERT_NE(message, "");
    ASSERT_TRUE(store.LoadFromMemory(0, OV_SHADER_LINKED, kVertex, kBrokenFragment));
    const std::string log = Log(store, 0);
    const std::string expectedStart = "Load Vertex Shader: Successful!\r\nLoad Fragment Shader: Failed! " + message +
                                      "\r\nMake Shader Program: Failed! ";
    EXPECT_EQ(log.substr(0, expectedStart.size()), expectedStart) << log;
    EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
    // The slot keeps its kind and a program that cannot draw.
    EXPECT_EQ(store.slots[0].kind, OV_SHADER_LINKED);
    EXPECT_FALSE(IsEmptyHandle(store.slots[0].program));
    // Logs accumulate over reloads of the slot.
    ASSERT_TRUE(store.LoadFromMemory(0, OV_SHADER_LINKED, kVertex, kFragment));
    EXPECT_EQ(Log(store, 0).substr(log.size()),
              "Load Vertex Shader: Successful!\r\nLoad Fragment Shader: "
              "Successful!\r\nMake Shader Program: Successful!\r\n");
}

TEST_F(ShaderStoreTest, UniformsIntegersAndAttributesSetThroughTheStoreChangePixels) {
    ASSERT_TRUE(store.LoadFromMemory(1, OV_SHADER_LINKED, kVertex, kFragment));
    ASSERT_TRUE(store.Activate(1));
    const int32_t full[4] = {255, 255, 255, 255};
    EXPECT_TRUE(SetShaderParamInteger(OV_SHADER_LINKED, store.UniformLocation(1, "uLevels"), full, 4));
    EXPECT_TRUE(SetShaderParam(OV_SHADER_LINKED, store.UniformLocation(1, "uTint"), 1.0f, 0.0f, 0.0f, 1.0f, 4));
    Quad(0, 0, 16, 16);
    EXPECT_TRUE(SetShaderInteger(store.UniformLocation(1, "uUseAttribute"), 1));
    EXPECT_TRUE(SetShaderAttribute(store.AttributeLocation(1, "aColour"), 0.0f, 1.0f, 1.0f, 1.0f, 4));
    EXPECT_TRUE(SetShaderParam(OV_SHADER_LINKED, store.UniformLocation(1, "uTint"), 1.0f, 1.0f, 1.0f, 1.0f, 4));
    Quad(16, 0, 32, 16);
    const int32_t half[4] = {255, 128, 255, 255};
    EXPECT_TRUE(SetShaderParamInteger(OV_SHADER_LINKED, store.UniformLocation(1, "uLevels"), half, 4));
    Quad(32, 0, 48, 16);
    DeactivateShaders();
    Quad(48, 0, 64, 16);
    EXPECT_EQ(Pixel(8, 8), Rgba(255, 0, 0));
    EXPECT_EQ(Pixel(24, 8), Rgba(0, 255, 255));
    EXPECT_EQ(Pixel(40, 8), Rgba(0, 128, 255));
    EXPECT_EQ(Pixel(56, 8), Rgba(255, 255, 255));
    EXPECT_FALSE(SetShaderParam(99, 0, 1, 1, 1, 1, 4));
    EXPECT_FALSE(SetShaderParamInteger(99, 0, full, 4));
}

TEST_F(ShaderStoreTest, AnAssemblyPairTakesItsParametersExceptWhereTheFlagsSkipThem) {
    ASSERT_TRUE(store.LoadFromMemory(0, OV_SHADER_PAIR, kAssemblyVertex, kAssemblyFragment));
    EXPECT_EQ(Log(store, 0), "");
    EXPECT_EQ(store.UniformLocation(0, "anything"), -1);
    ASSERT_TRUE(store.Activate(0));
    EXPECT_TRUE(SetShaderParam(OV_SHADER_PAIR, 0, 0.0f, 1.0f, 0.0f, 1.0f, 1));  // fragment only
    EXPECT_TRUE(SetShaderParam(OV_SHADER_PAIR, 1, 0.0f, 0.0f, 0.0f, 0.0f, 2));  // vertex only
    Quad(0, 0, 16, 16);
    // Flags 3 set nothing: the tint stays green and the offset nothing.
    EXPECT_TRUE(SetShaderParam(OV_SHADER_PAIR, 0, 1.0f, 0.0f, 0.0f, 1.0f, 3));
    EXPECT_TRUE(SetShaderParam(OV_SHADER_PAIR, 1, 9.0f, 9.0f, 0.0f, 0.0f, 3));
    Quad(16, 16, 32, 32);
    // Integer values become floats: an offset of 32 pixels to the right.
    const int32_t offset[4] = {32, 0, 0, 0};
    EXPECT_TRUE(SetShaderParamInteger(OV_SHADER_PAIR, 1, offset, 2));
    Quad(0, 40, 16, 56);
    DeactivateShaders();
    EXPECT_EQ(Pixel(8, 8), Rgba(0, 255, 0));
    EXPECT_EQ(Pixel(24, 24), Rgba(0, 255, 0));
    EXPECT_EQ(Pixel(8, 48), Rgba(0, 0, 0));
    EXPECT_EQ(Pixel(40, 48), Rgba(0, 255, 0));
}

TEST_F(ShaderStoreTest, ReloadingASlotReleasesItsProgramsAndTheCoreReleasesTheStores) {
    const OvTest::TempFolder scratch;
    const std::string folder = scratch.Root();
    const std::string vertexPath = folder + "/shader.vert", fragmentPath = folder + "/shader.frag";
    ASSERT_TRUE(OvTest::WriteBytes(vertexPath, OvTest::Bytes(kVertex, kVertex + std::strlen(kVertex))));
    ASSERT_TRUE(OvTest::WriteBytes(fragmentPath, OvTest::Bytes(kFragment, kFragment + std::strlen(kFragment))));
    ASSERT_TRUE(store.Load(0, OV_SHADER_LINKED, vertexPath.c_str(), fragmentPath.c_str()));
    EXPECT_EQ(Log(store, 0).find("Failed"), std::string::npos) << Log(store, 0);
    const OvHandle first = store.slots[0].program;
    ASSERT_TRUE(store.Load(0, OV_SHADER_PAIR, "/nonexistent.vp", "/nonexistent.fp"));
    EXPECT_EQ(OvShaderActivate(first), 0);  // destroyed by the reload
    const OvHandle pairVertex = store.slots[0].vertex;
    ASSERT_TRUE(store.LoadFromMemory(0, OV_SHADER_PAIR, kAssemblyVertex, kAssemblyFragment));
    EXPECT_EQ(OvShaderActivate(pairVertex), 0);

    OV_SHADER_STORE& named = *ShaderStores().Get("effects", 0);
    ASSERT_TRUE(named.LoadFromMemory(2, OV_SHADER_LINKED, kVertex, kFragment));
    const OvHandle program = named.slots[2].program;
    ASSERT_TRUE(named.Activate(2));
    core.Clear();
    EXPECT_EQ(ShaderStores().Count(), 0u);
    EXPECT_EQ(OvShaderActivate(program), 0);
    // The released program no longer draws.
    Quad(0, 0, 8, 8);
    EXPECT_EQ(Pixel(4, 4), Rgba(255, 255, 255));
}

}  // namespace

#include "RenderTestSupport.h"

#include "ovcore/app/Core.h"
#include "ovcore/foundation/Vector.h"
#include "ovcore/render/FrameBuffer.h"
#include "ovcore/render/Script.h"
#include "ovcore/render/ScriptCollection.h"
#include "ovcore/render/ShaderStore.h"
#include "ovcore/render/TechniqueShaders.h"

#include <cstring>
#include <string>

namespace {

using namespace OvCore;
using OvTest::Rgba;
using OvTest::TexelColour;

const char* kTintVertex = R"(#version 120
attribute vec4 aShade;
uniform int uUseShade;
void main() {
    gl_FrontColor = uUseShade == 1 ? aShade : gl_Color;
    gl_Position = ftransform();
})";
const char* kTintFragment = R"(#version 120
uniform vec4 uTint;
void main() { gl_FragColor = gl_Color * uTint; })";

int hostCalls = 0;
void CountHostCall() { ++hostCalls; }

// A window with the extension registered and the variables scripts use
// bound in a fixed order:
//   local store, slot, canvas, texture, corners, texcoords, colour,
//         location, values, host, none = ...
class TechniqueTest : public OvTest::RenderWindowTest {
protected:
    void SetUp() override {
        RenderWindowTest::SetUp();
        InitTechniqueShaders();
        ASSERT_NE(TechniqueDefinitions(), nullptr);
        ASSERT_TRUE(MakePattern(pattern, 2, 2));
        texture = pattern.GetCurrentFrame();
        ASSERT_TRUE(canvas.Create(32, 32, 0));
        arguments.AddPointer(&store);
        arguments.AddValue(1);
        arguments.AddPointer(&canvas);
        arguments.AddPointer(&texture);
        arguments.AddPointer(corners);
        arguments.AddPointer(texcoords);
        arguments.AddPointer(&colour);
        arguments.AddPointer(&location);
        arguments.AddPointer(values);
        arguments.AddFunction(CountHostCall);
        arguments.AddPointer(nullptr);
        hostCalls = 0;
    }
    void TearDown() override {
        canvas.Destroy();
        store.Release();
        pattern.Release(false);
        RenderWindowTest::TearDown();
    }

    int Run(const std::string& body) {
        const std::string text =
            "local store, slot, canvas, texture, corners, texcoords, colour, location, values, host, none = ...\n" +
            body;
        EXPECT_TRUE(script.Compile(text.data(), static_cast<uint32_t>(text.size()))) << OvLumetLastLog();
        return script.Execute(&arguments);
    }
    bool LoadTint() {
        if (!store.LoadFromMemory(1, OV_SHADER_LINKED, kTintVertex, kTintFragment)) return false;
        OV_STRING log;
        store.GetLog(1, log);
        return std::string(log.Get()).find("Failed!") == std::string::npos;
    }

    OV_TEXTURE pattern;
    OvHandle texture{1, 0};
    OV_FRAMEBUFFER canvas;
    OV_SHADER_STORE store;
    OV_VECTOR corners[4] = {{0, 0, 0, 1}, {64, 0, 0, 1}, {64, 64, 0, 1}, {0, 64, 0, 1}};
    OV_VECTOR texcoords[4] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}};
    OV_VECTOR colour{0.0, 1.0, 0.0, 1.0};
    int32_t location = -1;
    float values[4] = {};
    OV_SCRIPT_ARGUMENTS arguments;
    OV_SCRIPT script;
};

TEST_F(TechniqueTest, TheHeaderNumbersKeywordsAsListedWithTabsInTheCommandLines) {
    EXPECT_NE(std::strstr(TECHNIQUE_SHADER_HEADER, "\nCANVAS\tKEYWORD\tVARIABLE KEYWORD\n"), nullptr);
    EXPECT_NE(std::strstr(TECHNIQUE_SHADER_HEADER, "\n!DEFINITIONS: 10d\nEXECUTE\tVARIABLE\nCLEAR\tKEYWORD\n"),
              nullptr);
    EXPECT_EQ(Run("assert(FALSE == 0 and TRUE == 1 and ACCUM == 5 and SCENE == 9 and ZERO == 10 and\n"
                  "  SRC_ALPHA_SATURATE == 20 and ONE_MINUS_CONSTANT_ALPHA == 24 and FLOAT == 25 and\n"
                  "  INT == 29 and IVEC4 == 32 and TEXTURE == 33)"),
              1)
        << OvLumetLastLog();
}

TEST_F(TechniqueTest, BlendMapsKeywordsToEngineValuesAndZeroForOthers) {
    auto factors = [] { return static_cast<const int*>(OvGetState(OV_STATE_BLEND_FACTORS)); };
    ASSERT_EQ(Run("BLEND(SRC_ALPHA, ONE_MINUS_SRC_ALPHA)"), 1);
    EXPECT_EQ(factors()[0], 162);
    EXPECT_EQ(factors()[1], 163);
    ASSERT_EQ(Run("BLEND(ZERO, ONE_MINUS_CONSTANT_ALPHA)"), 1);
    EXPECT_EQ(factors()[0], 156);
    EXPECT_EQ(factors()[1], 170);
    // Other keywords pass 0, which the engine takes for no factor: the
    // factors stay as they were.
    EXPECT_EQ(TechniqueBlendValue(TK_TRUE), 0);
    EXPECT_EQ(TechniqueBlendValue(TK_CANVAS), 0);
    EXPECT_EQ(TechniqueBlendValue(TK_ONE_MINUS_SRC_COLOR), 159);
    ASSERT_EQ(Run("BLEND(TRUE, CANVAS)"), 1);
    EXPECT_EQ(factors()[0], 156);
    EXPECT_EQ(factors()[1], 170);
}

TEST_F(TechniqueTest, ColourSceneAndClearColourFillTheFrameButClearTrueDoesNothing) {
    ASSERT_EQ(Run("COLOR(SCENE, colour)\nCLEAR(TRUE)"), 1);
    EXPECT_EQ(Pixel(10, 10), Rgba(0, 0, 0));
    ASSERT_EQ(Run("COLOR(SCENE, colour)\nCLEAR(DEPTH)\nCLEAR(COLOR)"), 1);
    EXPECT_EQ(Pixel(10, 10), Rgba(0, 255, 0));
    colour = OV_VECTOR{1.0, 0.0, 0.0, 1.0};
    ASSERT_EQ(Run("COLOR(MODEL, colour)\nCOLOR(DEPTH, colour)"), 1);
    const auto* drawing = static_cast<const double*>(OvGetState(OV_STATE_DRAW_COLOR));
    EXPECT_EQ(drawing[0], 1.0);
    EXPECT_EQ(drawing[1], 0.0);
    EXPECT_EQ(Pixel(10, 10), Rgba(0, 255, 0));
}

TEST_F(TechniqueTest, RectDrawsTheTextureAsGivenOrUpsideDownAndKeepsTheHostsCoordinates) {
    const OV_VECTOR before[4] = {texcoords[0], texcoords[1], texcoords[2], texcoords[3]};
    ASSERT_EQ(Run("RECT(TEXTURE, texture, corners, texcoords, FALSE)"), 1) << OvLumetLastLog();
    EXPECT_EQ(Pixel(5, 5), TexelColour(0, 0));
    EXPECT_EQ(Pixel(60, 60), TexelColour(1, 1));
    ClearFrame();
    // Corner 0 gets texcoord 3, corner 1 texcoord 2: the bottom row on top.
    ASSERT_EQ(Run("RECT(TEXTURE, texture, corners, texcoords, TRUE)"), 1);
    EXPECT_EQ(Pixel(5, 5), TexelColour(0, 1));
    EXPECT_EQ(Pixel(60, 5), TexelColour(1, 1));
    EXPECT_EQ(Pixel(5, 60), TexelColour(0, 0));
    EXPECT_EQ(std::memcmp(before, texcoords, sizeof(before)), 0);
    ClearFrame();
    ASSERT_EQ(Run("RECT(COLOR, texture, corners, texcoords, TRUE)\nRECT(TEXTURE, none, corners, texcoords, FALSE)"), 1);
    EXPECT_EQ(Pixel(5, 5), Rgba(0, 0, 0));
    EXPECT_EQ(std::memcmp(before, texcoords, sizeof(before)), 0);
}

TEST_F(TechniqueTest, CanvasCapturesDrawingThatRectCanvasThenShows) {
    double saved[16];
    OvRenderMatrixRead(OV_MATRIX_PROJECTION, saved);
    ASSERT_EQ(Run("CANVAS(ENABLE, canvas, FALSE)\nCOLOR(SCENE, colour)\nCLEAR(COLOR)\nCANVAS(DISABLE, canvas, FALSE)\n"
                  "RECT(CANVAS, canvas, corners, texcoords, FALSE)"),
              1)
        << OvLumetLastLog();
    double after[16];
    OvRenderMatrixRead(OV_MATRIX_PROJECTION, after);
    EXPECT_EQ(std::memcmp(saved, after, sizeof(saved)), 0);
    EXPECT_EQ(Pixel(5, 5), Rgba(0, 255, 0));
    EXPECT_EQ(Pixel(60, 60), Rgba(0, 255, 0));
}

TEST_F(TechniqueTest, PassParamAndAttribDriveTheShadersPixels) {
    ASSERT_TRUE(LoadTint());
    ASSERT_TRUE(store.Activate(1));
    location = store.UniformLocation(1, "uTint");
    const int32_t shadeSwitch = store.UniformLocation(1, "uUseShade");
    const int32_t shade = store.AttributeLocation(1, "aShade");
    DeactivateShaders();
    ASSERT_GE(location, 0);
    ASSERT_GE(shade, 0);
    ASSERT_NE(shadeSwitch, -1);
    const std::string quad = "RECT(TEXTURE, texture, corners, texcoords, FALSE)\n";

    // The shader draws the drawing colour (white) tinted: blue taken away.
    values[0] = 1, values[1] = 1, values[2] = 0, values[3] = 1;
    ASSERT_EQ(
        Run("PASS(ENABLE, store, slot)\nPARAM(VEC4, none, location, values)\n" + quad + "PASS(DISABLE, none, none)"), 1)
        << OvLumetLastLog();
    EXPECT_EQ(Pixel(5, 5), Rgba(255, 255, 0));
    // PARAM TEXTURE sets nothing: the tint stays.
    values[0] = 0;
    ASSERT_EQ(
        Run("PASS(ENABLE, store, slot)\nPARAM(TEXTURE, none, location, values)\n" + quad + "PASS(DISABLE, none, none)"),
        1);
    EXPECT_EQ(Pixel(5, 5), Rgba(255, 255, 0));
    // After DISABLE the pattern draws untinted.
    ASSERT_EQ(Run(quad), 1);
    EXPECT_EQ(Pixel(5, 5), TexelColour(0, 0));

    // An integer uniform switches the shader to the attribute's colour.
    int32_t useShade[4] = {1, 0, 0, 0};
    arguments.cells[8] = reinterpret_cast<uintptr_t>(useShade);
    const int32_t tintLocation = location;
    location = shadeSwitch;
    ASSERT_EQ(Run("PASS(ENABLE, store, slot)\nPARAM(INT, none, location, values)"), 1);
    location = tintLocation;
    values[0] = values[1] = values[2] = values[3] = 1;
    arguments.cells[8] = reinterpret_cast<uintptr_t>(values);
    ASSERT_EQ(Run("PARAM(VEC4, none, location, values)"), 1);
    location = shade;
    float shadeValues[4] = {0, 0, 1, 1};
    arguments.cells[8] = reinterpret_cast<uintptr_t>(shadeValues);
    ASSERT_EQ(Run("ATTRIB(VEC4, none, location, values)\nRECT(TEXTURE, texture, corners, texcoords, FALSE)\n"
                  "PASS(DISABLE, none, none)"),
              1);
    EXPECT_EQ(Pixel(5, 5), Rgba(0, 0, 255));
}

TEST_F(TechniqueTest, ImageCopiesTheScreenAndExecuteCallsTheHost) {
    corners[0] = OV_VECTOR{8, 8, 0, 1};
    corners[2] = OV_VECTOR{4, 2, 0, 1};
    ClearFrame(0, 0, 1);
    OvHandle copy{1, 0};
    ASSERT_EQ(OvTextureCreate(&copy), 1);
    texture = copy;
    ASSERT_EQ(Run("IMAGE(texture, corners, FALSE)\nEXECUTE(host)\nEXECUTE(none)\nEXECUTE(host)"), 1);
    EXPECT_EQ(hostCalls, 2);
    EXPECT_EQ(*static_cast<int*>(OvTextureGet(copy, OV_TEXTURE_WIDTH)), 4);
    EXPECT_EQ(*static_cast<int*>(OvTextureGet(copy, OV_TEXTURE_HEIGHT)), 2);
    const auto* pixels = static_cast<const uint8_t*>(OvTextureLock(copy, 0));
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels[0], 0);
    EXPECT_EQ(pixels[2], 255);
    OvTextureUnlock(copy, 0);
    OvTextureDestroy(copy);
}

TEST_F(TechniqueTest, ScriptsCompileLoadFreeAndFailCleanly) {
    OV_SCRIPT empty;
    EXPECT_EQ(empty.Execute(&arguments), 0);
    EXPECT_FALSE(empty.compiledByEngine);
    EXPECT_FALSE(empty.LoadCompiled(nullptr, 4));
    EXPECT_FALSE(empty.LoadCompiled("x", 0));
    EXPECT_FALSE(empty.Compile("EXECUTE(", 8));
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_FALSE(empty.LoadCompiledFile("/nonexistent/technique.ovs"));

    const OvTest::TempFolder scratch;
    const std::string folder = scratch.Root();
    const std::string source = folder + "/count.lua";
    const std::string compiled = folder + "/count.ovs";
    const std::string text = "local host = ...\nEXECUTE(host)\n";
    ASSERT_TRUE(OvTest::WriteBytes(source, OvTest::Bytes(text.begin(), text.end())));
    ASSERT_TRUE(OV_SCRIPT::CompileFileToFile(source.c_str(), compiled.c_str()));
    OV_SCRIPT_ARGUMENTS host;
    host.AddFunction(CountHostCall);
    OV_SCRIPT loaded;
    ASSERT_TRUE(loaded.LoadCompiledFile(compiled.c_str()));
    EXPECT_FALSE(loaded.compiledByEngine);
    EXPECT_EQ(loaded.Execute(&host), 1);
    ASSERT_TRUE(loaded.CompileFile(source.c_str()));
    EXPECT_TRUE(loaded.compiledByEngine);
    EXPECT_EQ(loaded.Execute(&host), 1);
    EXPECT_EQ(hostCalls, 2);
    // Without arguments the script's variable is nil: the command refuses it.
    EXPECT_EQ(loaded.Execute(nullptr), 0);
    EXPECT_EQ(std::string(OvLumetLastLog()), "script:2: bad argument #1 to 'EXECUTE' (variable expected)");
    loaded.Free();
    EXPECT_TRUE(loaded.IsEmpty());
    EXPECT_FALSE(loaded.compiledByEngine);

    OvTest::Bytes bytes = OvTest::ReadBytes(compiled);
    bytes[bytes.size() - 3] ^= 1;
    ASSERT_TRUE(loaded.LoadCompiled(bytes.data(), static_cast<uint32_t>(bytes.size())));
    EXPECT_EQ(loaded.Execute(&host), 0);
    EXPECT_EQ(hostCalls, 2);

    ASSERT_TRUE(TechniqueScripts().Get("blur", 0)->Compile(text.data(), static_cast<uint32_t>(text.size())));
    core.Clear();
    EXPECT_EQ(TechniqueScripts().Count(), 0u);
}

}  // namespace

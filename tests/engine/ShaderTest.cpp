#include "DrawQuad.h"
#include "EngineWindow.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

constexpr int kSize = 64;
using Rgba = std::array<int, 4>;

// Colour from the built-in colour, scaled by a uniform; placed by ftransform.
const char* kTintVertex = R"(#version 120
void main() {
    gl_FrontColor = gl_Color;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
})";
const char* kTintFragment = R"(#version 120
uniform vec4 uTint;
void main() { gl_FragColor = gl_Color * uTint; })";
// Texture coordinates and a generic attribute, placed by the built-in matrix.
const char* kAttributeVertex = R"(#version 120
attribute vec4 aColour;
uniform mat4 uPick;
void main() {
    gl_FrontColor = aColour + uPick[3];
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
})";
const char* kTextureFragment = R"(#version 120
uniform sampler2D uImage;
uniform int uUseTexture;
void main() {
    gl_FragColor = uUseTexture == 1 ? texture2D(uImage, gl_TexCoord[0].st) : gl_Color;
})";
const char* kAssemblyVertex = R"(!!ARBvp1.0
DP4 result.position.x, state.matrix.mvp.row[0], vertex.position;
DP4 result.position.y, state.matrix.mvp.row[1], vertex.position;
DP4 result.position.z, state.matrix.mvp.row[2], vertex.position;
DP4 result.position.w, state.matrix.mvp.row[3], vertex.position;
MOV result.color, vertex.color;
END
)";
const char* kAssemblyFragment = R"(!!ARBfp1.0
PARAM tint = program.local[0];
MUL result.color, fragment.color, tint;
END
)";

class ShaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window_.Created());
        ASSERT_EQ(OvRenderTargetActivate(window_.Target()), 1);
        ASSERT_EQ(OvShaderInit(), 1);
        OvSetState(OV_STATE_BLENDING, 0);
        OvSetState(OV_STATE_TEXTURING, 1);
        OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
        OvRenderBindGlTexture(0, 0, 0);
        OvMatrixMode(OV_MATRIX_MODELVIEW);
        OvCameraOrtho(0, 0, kSize, kSize, 0);
        OvSetState(OV_STATE_CLEAR_COLOR, 0.0, 0.0, 0.0, 1.0);
        OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
    }
    void TearDown() override {
        OvShaderUnactivate(OV_SHADER_ASSEMBLY_VERTEX);
        OvShaderUnactivate(OV_SHADER_ASSEMBLY_FRAGMENT);
        OvShaderUnactivate(OV_SHADER_PROGRAM);
        for (OvHandle shader : made_) OvShaderDestroy(shader);
        OvRenderBindGlTexture(0, 0, 0);
    }

    OvHandle Make() {
        OvHandle shader{1, 0};
        EXPECT_EQ(OvShaderCreate(&shader), 1);
        made_.push_back(shader);
        return shader;
    }
    OvHandle Program(const char* vertexSource, const char* fragmentSource) {
        OvHandle parts[2] = {Make(), Make()};
        EXPECT_EQ(OvShaderLoadFromMemory(parts[0], OV_SHADER_VERTEX, vertexSource), 1) << OvShaderLastLog();
        EXPECT_EQ(OvShaderLoadFromMemory(parts[1], OV_SHADER_FRAGMENT, fragmentSource), 1) << OvShaderLastLog();
        OvHandle program = Make();
        EXPECT_EQ(OvShaderMakeProgram(program, parts, 2), 1) << OvShaderLastLog();
        EXPECT_STREQ(OvShaderLastLog(), "");
        return program;
    }
    static void Quad(double x1, double y1, double x2, double y2) { DrawQuad(x1, y1, x2, y2); }
    static Rgba Pixel(int x, int y) {
        unsigned char p[4] = {};
        EXPECT_EQ(OvRenderTargetReadPixels(x, y, 1, 1, p), 1);
        return {p[0], p[1], p[2], p[3]};
    }

    EngineWindow window_{"shaders", kSize, kSize};
    std::vector<OvHandle> made_;
};

TEST_F(ShaderTest, GlslProgramGetsTheBatchVerticesMatricesAndEachUniformValueInOrder) {
    OvHandle program = Program(kTintVertex, kTintFragment);
    const int tint = OvShaderUniformLocation(program, "uTint");
    ASSERT_GE(tint, 0);
    EXPECT_EQ(OvShaderUniformLocation(program, "uMissing"), -1);
    ASSERT_EQ(OvShaderActivate(program), 1);
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 0.0, 1.0);
    OvShaderUniform(tint, 1.0f, 0.0f, 0.0f, 1.0f, 4);
    Quad(0, 0, 16, 16);
    // The model view reaches the program: this quad lands 32 pixels right.
    OvShaderUniform(tint, 0.0f, 1.0f, 0.0f, 1.0f, 4);
    OvMatrixPush();
    OvMatrixTranslate(32, 0, 0);
    Quad(0, 0, 16, 16);
    OvMatrixPop();
    OvShaderUnactivate(OV_SHADER_PROGRAM);
    // The renderer's own program again: the drawing colour as it is.
    Quad(0, 32, 16, 48);
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
    EXPECT_EQ(Pixel(8, 8), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(Pixel(40, 8), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(Pixel(24, 8), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(Pixel(8, 40), (Rgba{255, 255, 0, 255}));
}

TEST_F(ShaderTest, AttributesMatricesAndSamplersChangeWhatIsDrawn) {
    OvHandle program = Program(kAttributeVertex, kTextureFragment);
    const int colour = OvShaderAttributeLocation(program, "aColour");
    const int pick = OvShaderUniformLocation(program, "uPick");
    const int useTexture = OvShaderUniformLocation(program, "uUseTexture");
    ASSERT_GE(colour, 0);
    ASSERT_GE(pick, 0);
    EXPECT_EQ(OvShaderAttributeLocation(program, "aMissing"), -1);
    ASSERT_EQ(OvShaderActivate(program), 1);
    double matrix[16] = {};
    matrix[14] = 1.0;  // column 3 = (0, 0, 1, 0): adds blue
    OvShaderUniformMatrix(pick, matrix, 0);
    OvShaderAttribute(colour, 1.0f, 0.0f, 0.0f, 1.0f, 4);
    Quad(0, 0, 16, 16);
    OvShaderAttribute(colour, 0.0f, 1.0f, 0.0f, 1.0f, 2);
    Quad(16, 0, 32, 16);
    // The bound texture reaches the sampler on unit 0 with its coordinates.
    OvHandle texture{1, 0};
    ASSERT_EQ(OvTextureCreate(&texture), 1);
    const unsigned char texels[4 * 4] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    ASSERT_EQ(OvTextureLoadEmpty(texture, 2, 2, 0), 1);
    auto* pixels = static_cast<unsigned char*>(OvTextureLock(texture, 0));
    ASSERT_NE(pixels, nullptr);
    std::copy(texels, texels + 16, pixels);
    OvTextureUnlock(texture, 1);
    OvTextureParameter(OV_TEXTURE_MIN_FILTER, OV_TEXTURE_NEAREST);
    OvTextureParameter(OV_TEXTURE_MAG_FILTER, OV_TEXTURE_NEAREST);
    const int one = 1;
    OvShaderUniformInteger(useTexture, &one, 1);
    OvTextureActivate(texture);
    Quad(32, 32, 64, 64);
    OvShaderUnactivate(OV_SHADER_PROGRAM);
    OvTextureUnactivate();
    // The attribute plus the blue of the matrix; two components give z 0, w 1.
    EXPECT_EQ(Pixel(8, 8), (Rgba{255, 0, 255, 255}));
    EXPECT_EQ(Pixel(24, 8), (Rgba{0, 255, 255, 255}));
    EXPECT_EQ(Pixel(40, 40), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(Pixel(56, 40), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(Pixel(40, 56), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(Pixel(56, 56), (Rgba{255, 255, 255, 255}));
    OvTextureDestroy(texture);
}

TEST_F(ShaderTest, AssemblyPairDrawsWithItsLocalParameters) {
    OvHandle vertex = Make(), fragment = Make();
    ASSERT_EQ(OvShaderLoadFromMemory(vertex, OV_SHADER_ASSEMBLY_VERTEX, kAssemblyVertex), 1) << OvShaderLastLog();
    ASSERT_EQ(OvShaderLoadFromMemory(fragment, OV_SHADER_ASSEMBLY_FRAGMENT, kAssemblyFragment), 1) << OvShaderLastLog();
    EXPECT_STREQ(OvShaderLastLog(), "");
    EXPECT_EQ(OvShaderUniformLocation(vertex, "anything"), -1);
    ASSERT_EQ(OvShaderActivate(vertex), 1);
    ASSERT_EQ(OvShaderActivate(fragment), 1);
    OvShaderLocalParam(OV_SHADER_ASSEMBLY_FRAGMENT, 0, 0.0f, 1.0f, 1.0f, 1.0f);
    OvMatrixPush();
    OvMatrixTranslate(16, 16, 0);
    Quad(0, 0, 16, 16);
    OvMatrixPop();
    OvShaderLocalParam(OV_SHADER_ASSEMBLY_FRAGMENT, 0, 1.0f, 0.0f, 1.0f, 1.0f);
    Quad(40, 40, 56, 56);
    OvShaderUnactivate(OV_SHADER_ASSEMBLY_VERTEX);
    OvShaderUnactivate(OV_SHADER_ASSEMBLY_FRAGMENT);
    Quad(0, 48, 8, 56);
    EXPECT_EQ(Pixel(24, 24), (Rgba{0, 255, 255, 255}));
    EXPECT_EQ(Pixel(8, 8), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(Pixel(48, 48), (Rgba{255, 0, 255, 255}));
    EXPECT_EQ(Pixel(4, 52), (Rgba{255, 255, 255, 255}));
}

TEST_F(ShaderTest, BuildFailuresReportGlsMessageAndNothingActivates) {
    OvHandle vertex = Make(), fragment = Make(), program = Make();
    ASSERT_EQ(OvShaderLoadFromMemory(vertex, OV_SHADER_VERTEX, kTintVertex), 1);
    EXPECT_EQ(OvShaderLoadFromMemory(fragment, OV_SHADER_FRAGMENT, "#version 120\nvoid main() { oops }"), 0);
    EXPECT_NE(std::string(OvShaderLastLog()).find("error"), std::string::npos) << OvShaderLastLog();
    // The channel gets the log's first line, naming the shader.
    const auto firstLine = [] {
        return std::string(OvShaderLastLog()).substr(0, std::strcspn(OvShaderLastLog(), "\r\n"));
    };
    EXPECT_EQ(OvLastError(),
              "render: cannot compile shader: shader " + std::to_string(fragment.word1) + ": " + firstLine());
    OvHandle parts[2] = {vertex, fragment};
    EXPECT_EQ(OvShaderMakeProgram(program, parts, 2), 0);
    EXPECT_STRNE(OvShaderLastLog(), "");
    EXPECT_EQ(OvLastError(),
              "render: cannot link shader program: program " + std::to_string(program.word1) + ": " + firstLine());
    EXPECT_EQ(OvShaderActivate(program), 0);
    EXPECT_EQ(OvShaderActivate(vertex), 0);  // a bare shader is no program
    EXPECT_EQ(OvShaderLoadFromMemory(vertex, OV_SHADER_ASSEMBLY_VERTEX, "!!ARBvp1.0\nMOV nothing;\nEND\n"), 0);
    EXPECT_NE(std::string(OvShaderLastLog()).find("at character"), std::string::npos) << OvShaderLastLog();
    EXPECT_EQ(OvShaderLoadFromMemory(vertex, OV_SHADER_PROGRAM, kTintVertex), 0);
    EXPECT_EQ(OvShaderLoadFromMemory(vertex, OV_SHADER_VERTEX, nullptr), 0);
    EXPECT_EQ(OvShaderLoadFromMemory(OvHandle{1, 0}, 423, kTintVertex), 0);
    EXPECT_STREQ(OvLastError(), "render: cannot compile shader: shader 0: Unknown shader");
    EXPECT_EQ(OvShaderLoad(vertex, OV_SHADER_VERTEX, "/nonexistent/shader.vert"), 0);
    EXPECT_STRNE(OvShaderLastLog(), "");
    EXPECT_STREQ(OvLastError(),
                 "render: cannot compile shader: /nonexistent/shader.vert: Cannot read /nonexistent/shader.vert");
    // Nothing drawn by a failed program: the renderer's own draws on.
    Quad(0, 0, 8, 8);
    EXPECT_EQ(Pixel(4, 4), (Rgba{255, 255, 255, 255}));
}

TEST_F(ShaderTest, ShadersLoadFromFilesAndAnActiveProgramDestroyedStopsDrawing) {
    const OvTest::TempFolder scratch("ov_shader");
    const std::string path = scratch.Write("tint.frag", kTintFragment);
    ASSERT_EQ(OvTest::TempFolder::Read(path), kTintFragment);
    OvHandle parts[2] = {Make(), Make()};
    ASSERT_EQ(OvShaderLoadFromMemory(parts[0], OV_SHADER_VERTEX, kTintVertex), 1);
    ASSERT_EQ(OvShaderLoad(parts[1], OV_SHADER_FRAGMENT, path.c_str()), 1) << OvShaderLastLog();
    OvHandle program = Make();
    ASSERT_EQ(OvShaderMakeProgram(program, parts, 2), 1);
    ASSERT_EQ(OvShaderActivate(program), 1);
    OvShaderUniform(OvShaderUniformLocation(program, "uTint"), 0.0f, 0.0f, 1.0f, 1.0f, 4);
    Quad(0, 0, 8, 8);
    OvShaderDestroy(program);
    Quad(8, 0, 16, 8);
    EXPECT_EQ(OvShaderActivate(program), 0);
    EXPECT_EQ(Pixel(4, 4), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(Pixel(12, 4), (Rgba{255, 255, 255, 255}));
}

}  // namespace

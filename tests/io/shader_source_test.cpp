// Shader files cut into their stages, with line numbers and substitutions.
#include "io/shader_source.h"
#include "tests/io/io_fixture.h"
#include "tests/support/log_capture.h"

namespace tovan {
namespace {

using test::IoTest;
using test::Str;

struct Stages {
    bool ok = false;
    cStr vertex{"unset"}, geometry{"unset"}, fragment{"unset"};
    int32_t vertexLine = -5, geometryLine = -5, fragmentLine = -5;
};

class ShaderTest : public IoTest {
protected:
    Stages Load(const std::string& name) {
        Stages s;
        s.ok = LoadShaderSource(name.c_str(), s.vertex, s.geometry, s.fragment, s.vertexLine, s.geometryLine,
                                s.fragmentLine);
        return s;
    }
    Stages LoadText(const std::string& text) {
        scratch.Write("s.glsl", text);
        return Load(scratch / "s.glsl");
    }
    void SetUp() override {
        IoTest::SetUp();
        log.Clear();  // start-up's lines, when this is the first test
    }
    void TearDown() override {
        ClearShaderSubstitutions();
        IoTest::TearDown();
    }
    test::LogCapture log;  // warnings never open a window here
};

TEST_F(ShaderTest, StagesEndWhereTheNextMarkerBegins) {
    Stages s = LoadText(
        "// header, dropped\n"
        "// Vertex shader main\n"
        "void v() {}\n"
        "// Geometry shader\n"
        "void g() {}\n"
        "// Fragment shader for all\n"
        "void f() {}\n");
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(Str(s.vertex), " main\nvoid v() {}\n");  // the rest of the marker's line belongs to it
    EXPECT_EQ(Str(s.geometry), "\nvoid g() {}\n");
    EXPECT_EQ(Str(s.fragment), "void f() {}\n");  // starts on the line after its marker
    EXPECT_EQ(s.vertexLine, 2);
    EXPECT_EQ(s.geometryLine, 4);
    EXPECT_EQ(s.fragmentLine, 7);
    EXPECT_EQ(log.Logs(), (std::vector<std::string>{" * Loading shader \"" + (scratch / "s.glsl") + "\"..."}));
    EXPECT_TRUE(log.Warnings().empty());
}

TEST_F(ShaderTest, LineNumbersCountFromTheFileStart) {
    std::string text = "\n\n// Vertex shader\n";
    for (int line = 4; line < 20; ++line)
        text += "v\n";
    text += "// Fragment shader\nf\n";
    Stages s = LoadText(text);
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.vertexLine, 3);
    EXPECT_EQ(s.fragmentLine, 21);
    EXPECT_EQ(s.geometryLine, 1);
    EXPECT_EQ(Str(s.geometry), "");
}

TEST_F(ShaderTest, PixelMarkerInAnyCaseStandsForTheFragment) {
    Stages s = LoadText("// VERTEX SHADER\nv\n// PIXEL SHADER\r\np\n");
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(Str(s.vertex), "\nv\n");
    EXPECT_EQ(Str(s.fragment), "p\n");
    // Fragment wins over pixel when both are there; the pixel marker is then plain text.
    s = LoadText("// Vertex shader\n// Pixel shader\np\n// fragment Shader\nf");
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(Str(s.vertex), "\n// Pixel shader\np\n");
    EXPECT_EQ(Str(s.fragment), "f");
    EXPECT_EQ(s.fragmentLine, 5);
}

TEST_F(ShaderTest, TextEndsAtTheFirstNulAndAMarkerAtTheEndGivesAnEmptyStage) {
    Stages s = LoadText(std::string("// Vertex shader\nv\n// Fragment shader", 37) + std::string("\0// Pixel x", 11));
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(Str(s.fragment), "");
    EXPECT_EQ(s.fragmentLine, 3);
    s = LoadText(std::string("// Vertex shader\n\0// Fragment shader\n", 37));
    EXPECT_FALSE(s.ok);
}

TEST_F(ShaderTest, MissingStagesWarnAndLeaveTheOutputs) {
    Stages s = LoadText("// Fragment shader\nf\n");
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(Str(s.fragment), "unset");
    EXPECT_EQ(s.vertexLine, 1);
    EXPECT_EQ(s.fragmentLine, 1);
    s = LoadText("// Vertex shader\nv\n// Geometry shader\n");
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(Str(s.vertex), "unset");
    s = Load(scratch / "none.glsl");
    EXPECT_FALSE(s.ok);
    s = Load("%s-missing.glsl");
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(log.Warnings(), (std::vector<std::string>{"No vertex shader found.", "No fragment / pixel shader found",
                                                        "Can't load file \"" + (scratch / "none.glsl") + "\"",
                                                        "Can't load file \"%s-missing.glsl\""}));
}

TEST_F(ShaderTest, RelativeNamesComeFromTheSources) {
    WriteHost(InBase(Relative() + "\\p.glsl"), "// Vertex shader\nv\n// Fragment shader\nf\n");
    Stages s = Load(Relative() + "/p.glsl");
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(Str(s.fragment), "f\n");
}

TEST_F(ShaderTest, SubstitutionsApplyInOrderToEveryStage) {
    AddShaderSubstitution("HIGHP", "highp float");
    AddShaderSubstitution("float", "half");  // sees the result of the first pair
    AddShaderSubstitution("", "never");
    Stages s =
        LoadText("// Vertex shader\nHIGHP a; highp b;\n// Geometry shader\nfloat g;\n// Pixel shader\nHIGHPHIGHP\n");
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(Str(s.vertex), "\nhighp half a; highp b;\n");
    EXPECT_EQ(Str(s.geometry), "\nhalf g;\n");
    EXPECT_EQ(Str(s.fragment), "highp halfhighp half\n");
    ClearShaderSubstitutions();
    s = LoadText("// Vertex shader\nHIGHP\n// Pixel shader\n");
    EXPECT_EQ(Str(s.vertex), "\nHIGHP\n");
}

}  // namespace
}  // namespace tovan

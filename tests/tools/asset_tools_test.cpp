// The asset tools: shader precompilation against the stand-in compiler, the
// data build for the mobile platforms and the unused-resource listings, in a
// scratch data folder on either side of the OS seam (asset_tools_fixture.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/stream.h"
#include "io/codecs/model_codecs.h"
#include "io/io.h"
#include "io/model/material_table.h"
#include "io/model/model.h"
#include "tests/support/log_capture.h"
#include "tests/tools/asset_tools_fixture.h"
#include "tools/data_build.h"
#include "tools/settings.h"
#include "tools/shader_precompiler.h"
#include "tools/unused_resources.h"
#include "win32/question_box.h"

namespace tovan::test {
namespace {

// --- shader precompilation ---------------------------------------------------

class PrecompileTest : public AssetToolsTest {
protected:
    void SetUp() override {
        AssetToolsTest::SetUp();
        InstallCompilers();
    }
};

// What the stand-in sees of its parameters: the quotes are gone (the paths hold no blanks).
std::vector<std::string> Unquoted(std::vector<std::string> lines) {
    for (std::string& line : lines)
        line.erase(std::remove(line.begin(), line.end(), '"'), line.end());
    return lines;
}

const char kVertex[] = "// Vertex shader\r\nvoid vs() {}\r\n";
const char kPixel[] = "// Pixel shader\r\nvoid ps() {}\r\n";

TEST_F(PrecompileTest, CompilesEveryVariantAndWritesTheCache) {
    Put("Data\\Shaders\\PC\\stale.VS", "old");
    Put("Data\\Shaders\\Water.hlsl", std::string("// header\r\n"
                                                 "// Precompile\r\n"
                                                 "NULL\r\n"
                                                 "  FOG, SHADOW  \r\n"
                                                 "// a comment\r\n"
                                                 "FOG;SHADOW\r\n"
                                                 " ,;\t\r\n"
                                                 "BROKEN\r\n"
                                                 "LIGHT\r\n") +
                                         kVertex + kPixel);
    LogCapture log;
    RunShaderPrecompiler(int32_t(SettingsShadersPlatform::Pc));

    const std::string out = Drive("Data\\Shaders\\PC\\");
    const std::string temp = out + "Temp.txt";
    const std::vector<std::string> expected = {
        "/T vs_3_0 /Fo " + out + "00000000.VS " + temp, "/T ps_3_0 /Fo " + out + "00000000.PS " + temp,
        "/T vs_3_0 /Fo " + out + "00000010.VS " + temp, "/T ps_3_0 /Fo " + out + "00000010.PS " + temp,
        "/T vs_3_0 /Fo " + out + "00000020.VS " + temp, "/T vs_3_0 /Fo " + out + "00000030.VS " + temp,
        "/T ps_3_0 /Fo " + out + "00000030.PS " + temp,
    };
    EXPECT_EQ(Recorded(), expected);
    ExpectStarted("PC.exe", expected);

    EXPECT_EQ(Get("Data\\Shaders\\PC\\00000010.VS"), "#define FOG\r\n#define SHADOW\r\n\r\nvoid vs() {}\r\n");
    EXPECT_EQ(Get("Data\\Shaders\\PC\\00000000.PS"), "void ps() {}\r\n");
    EXPECT_EQ(Get("Data\\Shaders\\PC\\Cache.txt"),
              "\r\nNULL\r\n00000000\r\n\r\n"
              "\r\nFOG, SHADOW\r\n00000010\r\n\r\n"
              "\r\nLIGHT\r\n00000030\r\n\r\n");
    EXPECT_FALSE(Has("Data\\Shaders\\PC\\stale.VS"));
    EXPECT_FALSE(Has("Data\\Shaders\\PC\\Temp.txt"));
    EXPECT_EQ(log.Warnings(),
              std::vector<std::string>{"Can't compile vertex shader \"Shaders\\Water.hlsl\"\r\n#define BROKEN\r\n"});
}

// Eleven files: variant 1 of file 0 and variant 0 of file 10 share the rule's
// name; the later one gets a longer name of its own.
TEST_F(PrecompileTest, CollidingNamesKeepEveryOutput) {
    for (int i = 0; i <= 10; ++i) {
        char name[64];
        snprintf(name, sizeof name, "Data\\Shaders\\s%02d.hlsl", i);
        const bool listed = i == 0 || i == 10;
        Put(name, std::string(listed ? "// Precompile\r\nNULL\r\n" : "") + (i == 0 ? "ONE\r\n" : "") + kVertex +
                      (i == 10 ? "// Pixel shader\r\nvoid ten() {}\r\n" : kPixel));
    }
    LogCapture log;
    RunShaderPrecompiler(int32_t(SettingsShadersPlatform::Xbox360));
    const std::string out = Drive("Data\\Shaders\\Xbox360\\");
    const std::string temp = "\"" + out + "Temp.txt\" ";
    const std::vector<std::string> expected = {
        temp + "/Tvs_3_0 /Fo\"" + out + "00000000.VS\"",   temp + "/Tps_3_0 /Fo\"" + out + "00000000.PS\"",
        temp + "/Tvs_3_0 /Fo\"" + out + "00000010.VS\"",   temp + "/Tps_3_0 /Fo\"" + out + "00000010.PS\"",
        temp + "/Tvs_3_0 /Fo\"" + out + "00000010_0.VS\"", temp + "/Tps_3_0 /Fo\"" + out + "00000010_0.PS\"",
    };
    ExpectStarted("Xbox360.exe", expected);
    EXPECT_EQ(Recorded(), Unquoted(expected));
    EXPECT_EQ(Get("Data\\Shaders\\Xbox360\\Cache.txt"),
              "\r\nNULL\r\n00000000\r\n\r\n"
              "\r\nONE\r\n00000010\r\n\r\n"
              "\r\nNULL\r\n00000010_0\r\n\r\n");
    EXPECT_EQ(Get("Data\\Shaders\\Xbox360\\00000010.PS"), "#define ONE\r\nvoid ps() {}\r\n");
    EXPECT_EQ(Get("Data\\Shaders\\Xbox360\\00000010_0.PS"), "void ten() {}\r\n");
    EXPECT_TRUE(log.Warnings().empty());
}

// A data folder whose path holds a blank: every path still reaches the
// compiler as one argument, quoted where the command's template does not.
TEST_F(PrecompileTest, PathsWithBlanksReachTheCompilerWhole) {
    UseDataFolder("My Data");
    Put("My Data\\Shaders\\a.hlsl", std::string("// Precompile\r\nNULL\r\n") + kVertex + kPixel);
    const struct {
        SettingsShadersPlatform platform;
        const char* folder;
        const char* program;
        const char* command;  // % the stage, @ the output, # Temp.txt
    } cases[] = {
        {SettingsShadersPlatform::Pc, "PC", "PC.exe", "/T %s_3_0 /Fo \"@\" \"#\""},
        {SettingsShadersPlatform::Xbox360, "Xbox360", "Xbox360.exe", "\"#\" /T%s_3_0 /Fo\"@\""},
    };
    std::vector<std::string> all;
    for (const auto& c : cases) {
        const std::string out = Drive("My Data\\Shaders\\" + std::string(c.folder) + "\\");
        std::vector<std::string> expected;
        for (const char* stage : {"v", "p"}) {
            std::string command = c.command;
            command.replace(command.find('@'), 1, out + "00000000." + (stage[0] == 'v' ? "VS" : "PS"));
            command.replace(command.find('#'), 1, out + "Temp.txt");
            command.replace(command.find('%'), 1, stage);
            expected.push_back(command);
        }
        LogCapture log;
        RunShaderPrecompiler(int32_t(c.platform));
        ExpectStarted(c.program, expected);
        all.insert(all.end(), expected.begin(), expected.end());
        EXPECT_EQ(Get("My Data\\Shaders\\" + std::string(c.folder) + "\\00000000.VS"), "\r\nvoid vs() {}\r\n");
        EXPECT_EQ(Get("My Data\\Shaders\\" + std::string(c.folder) + "\\00000000.PS"), "void ps() {}\r\n");
        EXPECT_TRUE(log.Warnings().empty()) << c.program;
    }
    EXPECT_EQ(Recorded(), Unquoted(all));
}

TEST_F(PrecompileTest, AsksFirstAndRunsNothingOnNo) {
    Put("Data\\Shaders\\a.hlsl", std::string("// Precompile\r\nNULL\r\n") + kVertex + kPixel);
    auto settings = std::unique_ptr<cSettings>(static_cast<cSettings*>(cSettings::Instance()->CreateInstance()));
    settings->m_ShadersPlatform = 1;
    settings->PrecompileShaders();
    EXPECT_EQ(
        Questions(),
        std::vector<std::string>{
            "Confirm Precompile Shaders: Are you sure you want to precompile shaders for \"Xbox 360\" platform ?"});
    EXPECT_TRUE(Recorded().empty());
    EXPECT_FALSE(Has("Data\\Shaders\\Xbox360"));
}

// --- data build ----------------------------------------------------------------

TEST_F(AssetToolsTest, DataBuildForTizen) {
    Put("Data\\Models\\a.cModel", "model");
    Put("Data\\Models\\Sub\\b.cAnim", "anim");
    Put("Data\\Models\\notes.txt", "not copied");
    Put("Data\\Xmls\\Scene\\s.Xml", "<x/>");
    Put("Data\\Sounds\\Deep\\quiet.caf", "");
    Put("Data\\Textures\\t.bmp", "BM");
    Put("Data.Tizen\\stale.txt", "old");
    auto settings = std::unique_ptr<cSettings>(static_cast<cSettings*>(cSettings::Instance()->CreateInstance()));
    settings->m_BuildPlatform = int32_t(SettingsPlatform::Tizen);

    settings->BuildData();  // answered no
    EXPECT_EQ(Questions(), std::vector<std::string>{
                               "Confirm Build Data For Tizen: Are you sure you want to build data from folder \"" +
                               Drive("Data") + "\" for Tizen platform within folder \"" + Drive("Data.Tizen") + "\"?"});
    EXPECT_TRUE(Has("Data.Tizen\\stale.txt"));
    EXPECT_FALSE(Has("Data.Tizen\\Models"));

    Answer(kAnswerYes);
    LogCapture log;
    settings->BuildData();
    EXPECT_FALSE(Has("Data.Tizen\\stale.txt"));
    EXPECT_EQ(Get("Data.Tizen\\Models\\a.cModel"), "model");
    EXPECT_EQ(Get("Data.Tizen\\Models\\Sub\\b.cAnim"), "anim");
    EXPECT_EQ(Get("Data.Tizen\\Xmls\\Scene\\s.Xml"), "<x/>");
    EXPECT_FALSE(Has("Data.Tizen\\Models\\notes.txt"));
    EXPECT_TRUE(Has("Data.Tizen\\Sounds\\Deep"));
    EXPECT_FALSE(Has("Data.Tizen\\Sounds\\Deep\\quiet.caf"));
    EXPECT_FALSE(Has("Data.Tizen\\Textures"));
    EXPECT_EQ(Get("Data\\Models\\a.cModel"), "model");
    EXPECT_TRUE(log.Warnings().empty());
}

// Without a "cPvr" encoder the texture pass says so once and writes nothing.
TEST_F(AssetToolsTest, DataBuildForIosReportsTheMissingEncoderOnce) {
    Put("Data\\Textures\\a.bmp", "BM");
    Put("Data\\Textures\\b.dds", "DDS ");
    Put("Data\\Fonts\\f.png", "png");
    Answer(kAnswerYes);
    LogCapture log;
    EXPECT_TRUE(BuildPlatformData(int32_t(SettingsPlatform::Ios), true));
    EXPECT_EQ(Get("Data.iOS\\Fonts\\f.png"), "png");
    EXPECT_EQ(log.Warnings(), std::vector<std::string>{"Can't build textures: no encoder for \"cPvr\" images"});
    EXPECT_FALSE(Has("Data.iOS\\Textures"));
}

// A platform without a label would name the data folder itself as the target.
TEST_F(AssetToolsTest, DataBuildRefusesATargetWithoutLabel) {
    Put("Data\\Models\\a.cModel", "model");
    Answer(kAnswerYes);
    LogCapture log;
    EXPECT_FALSE(BuildPlatformData(7, false));
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(Get("Data\\Models\\a.cModel"), "model");
    EXPECT_EQ(log.Warnings(),
              std::vector<std::string>{"Can't build data for platform \"\" in folder \"" + Drive("Data.") + "\""});
}

// --- unused resources ----------------------------------------------------------

const std::string kRule(60, '-');

TEST_F(AssetToolsTest, UnusedOfKindMatchesSceneLines) {
    Put("Data\\Models\\Used.cModel", "m");
    Put("Data\\Models\\Tree\\Oak.cModel", "m");
    Put("Data\\Models\\Bare.cModel", "m");
    Put("Data\\Models\\Lost.cModel", "m");
    Put("Data\\Xmls\\Scene\\a.Xml",
        "<Scene>\r\n <Model>models/used.CMODEL</Model>\r\n"
        "  <M>Models\\Tree\\Oak.cModel</M> <N>Models/Lost.cModel</N>\r\n"
        "Models\\Bare.cModel\r\n</Scene>\r\n");
    LogCapture log;
    ListUnusedOfKind("Models", "Models", "cModel");
    EXPECT_EQ(log.Logs().back(), kRule + "\r\nUnused Models (1):\r\nModels\\Lost.cModel");
    EXPECT_EQ(log.Windows(), std::vector<LogWindowMode>{LogWindowMode::Log});
}

TEST(UnusedResources, NameInLineUsesLineEndsWhenDelimitersAreMissing) {
    const struct {
        const char* line;
        const char* name;
    } cases[] = {
        {"<a>x.caf</a>", "x.caf"}, {"x.caf</a>", "x.caf"},    {"<a>x.caf", "x.caf"},
        {"p>q>x.CAF<r<", "x.CAF"}, {"nothing here", nullptr},
    };
    for (const auto& c : cases) {
        cStr name("kept");
        EXPECT_EQ(ResourceNameInLine(c.line, "caf", name), c.name != nullptr) << c.line;
        EXPECT_STREQ(name.GetText(), c.name ? c.name : "kept") << c.line;
    }
}

class FakeMaterials : public cMaterialTable {
public:
    struct Group {
        const char* name;
        std::vector<const char*> materials;
        std::vector<std::vector<const char*>> textures;
    };
    std::vector<std::vector<Group>> entries;

    int CountEntries() override { return int(entries.size()); }
    int CountGroups(int e) override { return int(entries[e].size()); }
    const char* GetGroupName(int e, int g) override { return entries[e][g].name; }
    int CountMaterials(int e, int g) override { return int(entries[e][g].materials.size()); }
    const char* GetMaterialName(int e, int g, int m) override { return entries[e][g].materials[m]; }
    void ListTextures(int e, int g, int m, cList<cStr>& out) override {
        if (m < int(entries[e][g].textures.size()))
            for (const char* texture : entries[e][g].textures[m])
                out.PushBack(cStr(texture));
    }
    void OnMaterialFound(int, int, int) override {}
};

class TableTest : public AssetToolsTest {
protected:
    void SetUp() override {
        AssetToolsTest::SetUp();
        MaterialTable = &m_Table;
    }
    void TearDown() override {
        MaterialTable = nullptr;
        AssetToolsTest::TearDown();
    }

    void PutModel(const std::string& name, const std::vector<const char*>& materials) {
        cModel model;
        for (const char* material : materials) {
            cModelMesh mesh;
            mesh.m_Material = material;
            mesh.m_StaticVertices.Resize(3, cModelStaticVertex());
            for (uint32_t i = 0; i < 3; ++i)
                mesh.m_Indices.PushBack(i);
            model.m_Meshes.PushBack(std::move(mesh));
        }
        cStream out;
        ASSERT_TRUE(cCodecModel().Encode(model, out));
        Put(name, std::string(reinterpret_cast<const char*>(out.m_Bytes.Data()), size_t(out.m_Bytes.Count())));
    }

    FakeMaterials m_Table;
};

TEST_F(TableTest, UnusedMaterials) {
    m_Table.entries = {{{"Rock", {"Grey", "Dark"}, {}}, {"Import", {"Uv"}, {}}}, {{"Wood", {"Oak"}, {}}}};
    const struct {
        std::vector<const char*> meshes;
        const char* report;
    } cases[] = {
        {{"Import_Uv", "rock\\grey", ""},
         "\r\nReserved materials (0):\r\n\r\nUnused materials (2):\r\nRock/Dark\r\nWood/Oak"},
        {{"Rock_Grey"},
         "\r\nReserved materials (1):\r\nImport/Uv\r\n\r\nUnused materials (2):\r\nRock/Dark\r\nWood/Oak"},
    };
    for (const auto& c : cases) {
        PutModel("Data\\Models\\m.cModel", c.meshes);
        LogCapture log;
        ListUnusedMaterials();
        EXPECT_EQ(log.Logs().back(), kRule + c.report);
    }
    m_Table.entries.clear();
    LogCapture log;
    ListUnusedMaterials();
    EXPECT_EQ(log.Logs().back(), kRule + "\r\nReserved materials (0):\r\n\r\nUnused materials (0):");
}

TEST_F(TableTest, UnusedTextures) {
    m_Table.entries = {{{"Rock", {"Grey"}, {{"Textures/Rock_d.dds", "Textures/Particles/Sub/Spark.dds"}}}}};
    for (const char* file : {"Rock_d.dds", "White_d.dds", "Old.dds", "Particles\\Fire.dds", "Particles\\Sub\\Spark.dds",
                             "Particles\\Sub\\Smoke.dds", "WindowsStandard\\ToolBar.bmp"})
        Put(std::string("Data\\Textures\\") + file, "t");
    LogCapture log;
    ListUnusedTextures();
    EXPECT_EQ(log.Logs().back(),
              kRule +
                  "\r\nReserved textures (3):\r\nTextures\\White_d.dds\r\nTextures\\Particles\\Fire.dds"
                  "\r\nTextures\\WindowsStandard\\ToolBar.bmp"
                  "\r\n\r\nUnused textures (2):\r\nTextures\\Old.dds\r\nTextures\\Particles\\Sub\\Smoke.dds");
}

}  // namespace
}  // namespace tovan::test

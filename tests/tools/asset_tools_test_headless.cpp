// The asset tools on the virtual drive: the data folder is C:\Data unless an
// earlier test of the program started the file layer elsewhere (the file names
// of these tests say "Data" for it); the outside shader compilers are the
// stand-in program copied to C:\Libs\PrecompileShaders.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/os.h"
#include "core/os_headless.h"
#include "core/stream.h"
#include "io/codecs/model_codecs.h"
#include "io/io.h"
#include "io/model/material_table.h"
#include "io/model/model.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch.h"
#include "tools/data_build.h"
#include "tools/settings.h"
#include "tools/shader_precompiler.h"
#include "tools/unused_resources.h"
#include "win32/question_box.h"

namespace tovan::test {
namespace {

namespace fs = std::filesystem;

class AssetToolsTest : public ScratchTest {
protected:
    void SetUp() override {
        os::headless::SetModulePath("C:\\Data\\h.exe");
        cIO::Init();
        const std::string base = cIO::GetBaseFolder()->GetText();
        ASSERT_EQ(base.rfind("C:\\", 0), 0u);
        ASSERT_EQ(base.find('\\', 3), std::string::npos);
        fs::create_directories(Host(base));
        os::SetCurrentDirectory(base.c_str());
        os::headless::TakeCalls();
    }

    static std::string Host(const std::string& path) { return os::headless::HostPath(path.c_str()); }
    // The data folder's own name, and a name below the drive whose first
    // component "Data" stands for it.
    static std::string DataName() { return cIO::GetBaseFolder()->GetText() + 3; }
    static std::string Drive(const std::string& name) {
        return "C:\\" + (name.rfind("Data", 0) == 0 ? DataName() + name.substr(4) : name);
    }
    static void Put(const std::string& name, const std::string& bytes) {
        const fs::path path(Host(Drive(name)));
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Get(const std::string& name) {
        std::ifstream in(Host(Drive(name)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static bool Has(const std::string& name) { return fs::exists(Host(Drive(name))); }

    static std::vector<std::string> CallsStarting(const std::string& head) {
        std::vector<std::string> found;
        for (const std::string& call : os::headless::TakeCalls())
            if (call.rfind(head, 0) == 0)
                found.push_back(call.substr(head.size()));
        return found;
    }
};

// --- shader precompilation ---------------------------------------------------

class PrecompileTest : public AssetToolsTest {
protected:
    void SetUp() override {
        AssetToolsTest::SetUp();
        for (const char* program : {"PC.exe", "Xbox360.exe"}) {
            const fs::path target(Host(std::string("C:\\Libs\\PrecompileShaders\\") + program));
            fs::create_directories(target.parent_path());
            fs::copy_file(TOVAN_STAND_IN_COMPILER, target);
        }
        m_Record = os::headless::DriveRoot() + "/record.txt";
        setenv("TOVAN_STAND_IN_DRIVE", os::headless::DriveRoot().c_str(), 1);
        setenv("TOVAN_STAND_IN_RECORD", m_Record.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("TOVAN_STAND_IN_DRIVE");
        unsetenv("TOVAN_STAND_IN_RECORD");
    }
    std::vector<std::string> Recorded() const {
        std::vector<std::string> lines;
        std::ifstream in(m_Record);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    std::string m_Record;
};

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
    const std::string scratch = out + "Temp.txt";
    const std::vector<std::string> expected = {
        "/T vs_3_0 /Fo " + out + "00000000.VS " + scratch, "/T ps_3_0 /Fo " + out + "00000000.PS " + scratch,
        "/T vs_3_0 /Fo " + out + "00000010.VS " + scratch, "/T ps_3_0 /Fo " + out + "00000010.PS " + scratch,
        "/T vs_3_0 /Fo " + out + "00000020.VS " + scratch, "/T vs_3_0 /Fo " + out + "00000030.VS " + scratch,
        "/T ps_3_0 /Fo " + out + "00000030.PS " + scratch,
    };
    EXPECT_EQ(Recorded(), expected);
    std::vector<std::string> started = CallsStarting("RunAndWait ../Libs/PrecompileShaders/PC.exe ");
    EXPECT_EQ(started, expected);

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
    const std::vector<std::string> started = CallsStarting("RunAndWait ../Libs/PrecompileShaders/Xbox360.exe ");
    ASSERT_EQ(started.size(), 6u);
    EXPECT_EQ(started[0], "\"" + out + "Temp.txt\" /Tvs_3_0 /Fo\"" + out + "00000000.VS\"");
    EXPECT_EQ(started[5], "\"" + out + "Temp.txt\" /Tps_3_0 /Fo\"" + out + "00000010_0.PS\"");
    EXPECT_EQ(Get("Data\\Shaders\\Xbox360\\Cache.txt"),
              "\r\nNULL\r\n00000000\r\n\r\n"
              "\r\nONE\r\n00000010\r\n\r\n"
              "\r\nNULL\r\n00000010_0\r\n\r\n");
    EXPECT_EQ(Get("Data\\Shaders\\Xbox360\\00000010.PS"), "#define ONE\r\nvoid ps() {}\r\n");
    EXPECT_EQ(Get("Data\\Shaders\\Xbox360\\00000010_0.PS"), "void ten() {}\r\n");
    EXPECT_TRUE(log.Warnings().empty());
}

TEST_F(PrecompileTest, AsksFirstAndRunsNothingOnNo) {
    Put("Data\\Shaders\\a.hlsl", std::string("// Precompile\r\nNULL\r\n") + kVertex + kPixel);
    auto settings = std::unique_ptr<cSettings>(static_cast<cSettings*>(cSettings::Instance()->CreateInstance()));
    settings->m_ShadersPlatform = 1;
    settings->PrecompileShaders();
    EXPECT_EQ(
        CallsStarting("MessageBox "),
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

    settings->BuildData();  // the double answers no
    EXPECT_EQ(CallsStarting("MessageBox "),
              std::vector<std::string>{
                  "Confirm Build Data For Tizen: Are you sure you want to build data from folder \"" + Drive("Data") +
                  "\" for Tizen platform within folder \"" + Drive("Data.Tizen") + "\"?"});
    EXPECT_TRUE(Has("Data.Tizen\\stale.txt"));
    EXPECT_FALSE(Has("Data.Tizen\\Models"));

    os::headless::ScriptAnswer(kAnswerYes);
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
    os::headless::ScriptAnswer(kAnswerYes);
    LogCapture log;
    EXPECT_TRUE(BuildPlatformData(int32_t(SettingsPlatform::Ios), true));
    EXPECT_EQ(Get("Data.iOS\\Fonts\\f.png"), "png");
    EXPECT_EQ(log.Warnings(), std::vector<std::string>{"Can't build textures: no encoder for \"cPvr\" images"});
    EXPECT_FALSE(Has("Data.iOS\\Textures"));
}

// A platform without a label would name the data folder itself as the target.
TEST_F(AssetToolsTest, DataBuildRefusesATargetWithoutLabel) {
    Put("Data\\Models\\a.cModel", "model");
    os::headless::ScriptAnswer(kAnswerYes);
    LogCapture log;
    EXPECT_FALSE(BuildPlatformData(7, false));
    EXPECT_TRUE(CallsStarting("MessageBox ").empty());
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
    void TearDown() override { MaterialTable = nullptr; }

    static void PutModel(const std::string& name, const std::vector<const char*>& materials) {
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

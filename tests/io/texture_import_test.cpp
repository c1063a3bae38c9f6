// Texture import over scripted pickers: what each mode saves, which names the
// save dialog starts with and receives back, and where an import ends early.
#include "core/os_headless.h"
#include "io/codecs/image_codec.h"
#include "io/file_pickers.h"
#include "io/texture_import.h"
#include "tests/io/io_fixture.h"
#include "tests/support/recording_renderer.h"

#include <cmath>
#include <filesystem>

namespace tovan {
namespace {

using test::Str;

// Scripted answers for the pickers; names are typed into the dialog as full paths.
std::string g_Answers[3];
int g_Asked = 0;
std::vector<std::string> g_Starts;  // "open|save <initial folder> | <initial name>"

bool ScriptedDialog(const PickRequest& r, cStr& chosen) {
    g_Starts.push_back(std::string(r.m_Open ? "open " : "save ") + r.m_InitialFolder + " | " + r.m_InitialName);
    const std::string answer = g_Asked < 3 ? g_Answers[g_Asked] : "";
    ++g_Asked;
    if (answer.empty())
        return false;
    chosen = answer.c_str();
    return true;
}

class TextureImport : public test::IoTest {
protected:
    void SetUp() override {
        IoTest::SetUp();
        GetPickerMemory() = PickerMemory();
        TextureImportFolder.Clear();
        g_Asked = 0;
        g_Starts.clear();
        m_Hook = GetPickDialogHook();
        SetPickDialogHook(&ScriptedDialog);
    }
    void TearDown() override {
        SetPickDialogHook(m_Hook);
        GetPickerMemory() = PickerMemory();
        TextureImportFolder.Clear();
        IoTest::TearDown();
    }
    PickDialogHook m_Hook = nullptr;
    std::string Full(const std::string& file) const { return InBase(Relative() + "\\" + file); }
    // A picture of the format in a file of the extension (BMP and TGA store grey as RGB).
    std::string Source(const std::string& file, ImageFormat format, int w, int h) const {
        cImage image;
        image.Allocate(format, w, h, 1, 1);
        for (int i = 0; i < image.m_Data.Count(); ++i)
            image.m_Data[i] = uint8_t(i * 37);
        cIO::CreateFolders(Full(file).c_str());
        EXPECT_TRUE(cIO::SaveImage(Full(file).c_str(), image)) << file;
        return Full(file);
    }
    void Answer(const std::string& a, const std::string& b = "", const std::string& c = "") {
        g_Answers[0] = a;
        g_Answers[1] = b;
        g_Answers[2] = c;
    }
    bool Saved(const std::string& file, cImage& image) const {
        cStream bytes;
        return cIO::ReadDiskFile(Full(file).c_str(), bytes) && cIO::FindImageCodec("dds")->Decode(bytes, image);
    }
};

TEST_F(TextureImport, ModesConvertCompressAndNameTheirOutput) {
    struct Case {
        const char* name;
        int mode;
        ImageFormat source;
        uint8_t colorKeepAlpha, colorMips, keepHeight;
        const char* output;  // null: no name record
        const char* typed;   // what the user types in the save dialog
        ImageFormat saved;
        int levels;
        const char* startName;  // the save dialog's preselected name
    };
    const Case cases[] = {
        {"height map kept", 2, ImageFormat::R8, 0, 0, 1, "", "n.dds", ImageFormat::Dxt5, 7, "src.dds"},
        {"height map", 2, ImageFormat::R8, 0, 0, 0, "", "n.png", ImageFormat::Dxt1, 7, "src.dds"},
        {"colour, alpha, no mips", 0, ImageFormat::Rgba8, 1, 0, 0, "old/c.tga", "c.dds", ImageFormat::Dxt5, 1, "c.dds"},
        {"colour with mips", 0, ImageFormat::Rgba8, 0, 1, 0, nullptr, "c.dds", ImageFormat::Dxt1, 7, "src.dds"},
        {"particle", 5, ImageFormat::Rgba8, 1, 1, 0, "", "p.dds", ImageFormat::Dxt1, 1, "src.dds"},
        {"fixed name", 4, ImageFormat::Rgb8, 0, 0, 0, "fixed/f.dds", "f.dds", ImageFormat::Dxt1, 7, "f.dds"},
    };
    test::RecordingRenderer device;
    for (const Case& c : cases) {
        GetPickerMemory() = PickerMemory();
        TextureImportFolder.Clear();
        g_Asked = 0;
        g_Starts.clear();
        const std::string file = c.source == ImageFormat::R8 ? "in\\src.dds" : "in\\src.bmp";
        Answer(Source(file, c.source, 64, 32), Full(c.typed));
        cStr output(c.output ? c.output : "");
        cTextureImportOptions o;
        o.m_Mode = c.mode;
        o.m_ColorKeepAlpha = c.colorKeepAlpha;
        o.m_ColorMips = c.colorMips;
        o.m_KeepHeight = c.keepHeight;
        cStr* record = c.output ? &output : nullptr;
        (c.mode == 0 ? o.m_ColorOutput : c.mode == 4 ? o.m_FixedOutput : o.m_NormalOutput) = record;
        device.ClearCalls();
        ASSERT_TRUE(ImportTexture(o)) << c.name;
        EXPECT_EQ(o.m_Done, 1) << c.name;

        std::string typed = c.typed;
        typed.replace(typed.size() - 3, 3, "dds");  // any name is saved as DDS
        cImage saved;
        ASSERT_TRUE(Saved(typed, saved)) << c.name;
        EXPECT_EQ(saved.m_Format, c.saved) << c.name;
        EXPECT_EQ(saved.m_Mips, c.levels) << c.name;
        const auto reloads = device.CallsNamed("ReloadTexture");
        ASSERT_EQ(reloads.size(), 1u) << c.name;
        EXPECT_EQ(reloads[0].text, Full(typed)) << c.name;
        // Particles record no name.
        const std::string recorded = c.mode == 5 ? "" : Relative() + "\\" + typed;
        EXPECT_EQ(Str(output), record ? recorded : "") << c.name;
        ASSERT_EQ(g_Starts.size(), 2u) << c.name;
        EXPECT_EQ(g_Starts[1].substr(g_Starts[1].rfind(" | ") + 3), c.startName) << c.name;
        EXPECT_EQ(Str(TextureImportFolder), Full("in\\")) << c.name;
        if (c.mode == 5) {
            EXPECT_NE(g_Starts[1].find("\\Textures\\Particles\\ | "), std::string::npos) << g_Starts[1];
        }
    }
}

TEST_F(TextureImport, EndsEarlyWithoutASaveDialog) {
    struct Case {
        const char* name;
        int mode;
        ImageFormat source;
        const char* file;
        float strength;
        bool restored;  // the picker's memory put back
        int dialogs;
    };
    const float nan = std::nanf("");
    const Case cases[] = {
        {"half-float source", 0, ImageFormat::Rgba16f, "in\\h.dds", 1, false, 1},
        {"height map fails", 2, ImageFormat::R8, "in\\g.bmp", nan, true, 1},
        {"grey detail map", 3, ImageFormat::R8, "in\\g.dds", 1, false, 1},
        {"cancelled", 1, ImageFormat::Rgb8, "", 1, false, 1},
        {"unknown mode", 6, ImageFormat::Rgb8, "in\\c.bmp", 1, false, 0},
    };
    for (const Case& c : cases) {
        GetPickerMemory() = PickerMemory();
        GetPickerMemory().m_ImageFile = "C:\\kept\\a.tga";
        GetPickerMemory().m_ImageFolder = "C:\\kept\\";
        TextureImportFolder = "C:\\imports\\";
        g_Asked = 0;
        g_Starts.clear();
        if (*c.file)
            Source(c.file, c.source, 8, 8);
        Answer(*c.file ? Full(c.file) : "", Full("out.dds"), Full("out.dds"));
        cTextureImportOptions o;
        o.m_Mode = c.mode;
        o.m_Strength = c.strength;
        EXPECT_FALSE(ImportTexture(o)) << c.name;
        EXPECT_EQ(o.m_Done, 0) << c.name;
        EXPECT_EQ(int(g_Starts.size()), c.dialogs) << c.name;
        if (c.dialogs) {
            EXPECT_EQ(g_Starts[0], "open C:\\imports\\ | ") << c.name;  // no preselected file
        }
        EXPECT_FALSE(std::filesystem::exists(Host(Full("out.dds")))) << c.name;
        const bool kept = GetPickerMemory().m_ImageFile == "C:\\kept\\a.tga";
        EXPECT_EQ(kept, c.restored || c.dialogs == 0) << c.name;
    }
}

TEST_F(TextureImport, DetailMapsBlendOnlyAtTheSameSize) {
    test::RecordingRenderer device;
    Source("in\\detail.bmp", ImageFormat::Rgb8, 16, 16);
    Source("in\\height.bmp", ImageFormat::R8, 32, 32);
    Answer(Full("in\\detail.bmp"), Full("in\\height.bmp"), Full("n.dds"));
    cTextureImportOptions o;
    o.m_Mode = kImportBlendedNormal;
    ASSERT_TRUE(ImportTexture(o));  // not blended, still converted and saved
    cImage saved;
    ASSERT_TRUE(Saved("n.dds", saved));
    EXPECT_EQ(saved.m_Format, ImageFormat::Dxt1);
    EXPECT_EQ(saved.m_Width, 32);
    EXPECT_EQ(saved.m_Mips, 6);
    EXPECT_EQ(g_Starts[1], "open " + Full("in\\") + " | ");  // the detail map's folder

    struct Case {
        uint8_t detail[3], main[3], blended[3];
    };
    const Case cases[] = {
        {{255, 128, 128}, {128, 255, 128}, {217, 217, 127}},
        {{128, 128, 255}, {128, 128, 255}, {128, 128, 254}},
        {{0, 128, 128}, {255, 128, 128}, {127, 241, 184}},  // opposite x cancel
    };
    cImage detail, main;
    detail.Allocate(ImageFormat::Rgb8, 3, 1, 1, 1);
    main.Allocate(ImageFormat::Rgb8, 3, 1, 1, 1);
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k) {
            detail.m_Data[3 * i + k] = cases[i].detail[k];
            main.m_Data[3 * i + k] = cases[i].main[k];
        }
    BlendNormalMaps(detail, main);
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(main.m_Data[3 * i + k], cases[i].blended[k]) << i << "," << k;
    cImage other;
    other.Allocate(ImageFormat::Rgb8, 2, 1, 1, 1);
    const uint8_t before = other.m_Data[0];
    BlendNormalMaps(detail, other);
    EXPECT_EQ(other.m_Data[0], before);
}

}  // namespace
}  // namespace tovan

#include "tools/image_swatch_file.h"

#include <gtest/gtest.h>

#include <memory>

#include "classes/member.h"
#include "tests/support/recording_renderer.h"

namespace tovan {
namespace {

using test::RecordingRenderer;

std::unique_ptr<cImageSwatchFile> NewSwatch() {
    return std::unique_ptr<cImageSwatchFile>(
        static_cast<cImageSwatchFile*>(SharedPrototype<cImageSwatchFile>()->CreateInstance()));
}

// The id the device gives path, described as info.
int Texture(RecordingRenderer& device, const char* path, const RecordingRenderer::TextureInfo& info) {
    const int id = device.LoadTexture(path);
    device.SetTexture(id, info);
    device.ClearCalls();
    return id;
}

TEST(ImageSwatchFile, NewObject) {
    auto swatch = NewSwatch();
    EXPECT_EQ(swatch->m_Image, -1);
    EXPECT_TRUE(swatch->m_File.IsEmpty());
    EXPECT_TRUE(swatch->m_Info.IsEmpty());
    uint8_t flag = 0;
    EXPECT_STREQ(swatch->GetDisplayText(&flag).GetText(), "");
    EXPECT_EQ(flag, 1);
    swatch->m_File = "Textures/a.dds";
    EXPECT_STREQ(swatch->GetDisplayText(&flag).GetText(), " - Textures/a.dds");
}

TEST(ImageSwatchFile, InfoText) {
    const struct {
        RecordingRenderer::TextureInfo info;
        const char* text;
    } cases[] = {
        {{256, 128, 1, 4, 9}, "256 x 128, Rgba8, 2D, 9 mipmaps"},
        {{256, 128, 1, 4, 1}, "256 x 128, Rgba8, 2D, No mipmaps"},
        {{64, 1, 1, 1, 1}, "64, R8, 1D, No mipmaps"},
        {{8, 8, 4, 12, 4}, "8 x 8 x 4, Rgba16f, 3D, 4 mipmaps"},
        {{16, 16, 0, 20, 5}, "16 x 16, Dxt1, Cube, 5 mipmaps"},
        {{4, 4, 1, 23, 1}, "4 x 4, , 2D, No mipmaps"},  // no name for the code
        {{4, 4, 1, -3, 1}, "4 x 4, , 2D, No mipmaps"},
        {{4, 0, 1, 4, 1}, ""},  // no kind
        {{4, 4, -2, 4, 1}, ""},
    };
    RecordingRenderer device;
    for (const auto& c : cases) {
        auto swatch = NewSwatch();
        Texture(device, "t.dds", c.info);
        swatch->m_File = "t.dds";
        swatch->UpdateHook();
        EXPECT_STREQ(swatch->m_Info.GetText(), c.text);
    }
}

TEST(ImageSwatchFile, ReloadsOnlyWhenTheNameChanges) {
    RecordingRenderer device;
    const int a = Texture(device, "a.dds", {256, 128, 1, 4, 9});
    const int b = Texture(device, "b.dds", {32, 32, 1, 3, 1});
    device.FailTexture("missing.dds");
    auto swatch = NewSwatch();
    const struct {
        const char* file;  // set before the update, null keeps File
        int image;
        const char* info;
        int loads;  // LoadTexture calls of this update
    } steps[] = {
        {"a.dds", a, "256 x 128, Rgba8, 2D, 9 mipmaps", 1},
        {nullptr, a, "256 x 128, Rgba8, 2D, 9 mipmaps", 0},
        {"A.DDS", a, "256 x 128, Rgba8, 2D, 9 mipmaps", 0},  // only the case differs
        {"b.dds", b, "32 x 32, Rgb8, 2D, No mipmaps", 1},
        {"missing.dds", -1, "", 1},
        {nullptr, -1, "", 0},  // a failure is not retried every frame
        {"a.dds", a, "256 x 128, Rgba8, 2D, 9 mipmaps", 1},
        {"", a, "", 0},                                      // emptied: Image keeps its id
        {"a.dds", a, "256 x 128, Rgba8, 2D, 9 mipmaps", 1},  // a name set afterwards loads
    };
    int step = 0;
    for (const auto& s : steps) {
        if (s.file)
            swatch->m_File = s.file;
        device.ClearCalls();
        swatch->UpdateHook();
        EXPECT_EQ(swatch->m_Image, s.image) << step;
        EXPECT_STREQ(swatch->m_Info.GetText(), s.info) << step;
        EXPECT_EQ(int(device.CallsNamed("LoadTexture").size()), s.loads) << step;
        if (s.loads && s.image != -1) {
            const auto samplers = device.CallsNamed("SetTextureSampler");
            ASSERT_EQ(samplers.size(), 1u) << step;
            EXPECT_EQ(samplers[0].ints, (std::vector<int>{s.image, -1})) << step;
        }
        if (s.file) {
            EXPECT_STREQ(swatch->m_File.GetText(), s.file) << step;  // never dropped
        }
        ++step;
    }
}

TEST(ImageSwatchFile, XmlKeepsTheFileOfAFailedLoadAndReloadsAfterReading) {
    RecordingRenderer device;
    device.FailTexture("gone.dds");
    auto swatch = NewSwatch();
    swatch->m_File = "gone.dds";
    swatch->UpdateHook();
    cStr text;
    ASSERT_TRUE(swatch->SaveToText(text));
    EXPECT_NE(std::string(text.GetText()).find("<File>gone.dds</File>"), std::string::npos) << text.GetText();

    const int a = Texture(device, "a.dds", {2, 2, 1, 4, 1});
    swatch->m_File = "a.dds";
    swatch->UpdateHook();
    ASSERT_EQ(swatch->m_Image, a);
    // Reading resets Image; the same name then loads again.
    ASSERT_TRUE(swatch->LoadFromText("<cImageSwatchFile><Image>7</Image><File>a.dds</File></cImageSwatchFile>"));
    EXPECT_EQ(swatch->m_Image, -1);
    device.ClearCalls();
    swatch->UpdateHook();
    EXPECT_EQ(swatch->m_Image, a);
    EXPECT_EQ(device.CallsNamed("LoadTexture").size(), 1u);
}

TEST(ImageSwatchFile, ACopyKeepsItsImageWithoutLoading) {
    RecordingRenderer device;
    const int a = Texture(device, "a.dds", {2, 2, 1, 4, 1});
    auto swatch = NewSwatch();
    swatch->m_File = "a.dds";
    swatch->UpdateHook();
    auto copy = NewSwatch();
    ASSERT_TRUE(swatch->Copy(static_cast<cClass*>(swatch.get()), 0, copy.get(), static_cast<cClass*>(copy.get()), 0));
    device.ClearCalls();
    copy->UpdateHook();
    EXPECT_EQ(copy->m_Image, a);
    EXPECT_TRUE(device.CallsNamed("LoadTexture").empty());
}

}  // namespace
}  // namespace tovan

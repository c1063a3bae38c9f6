#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classes/registry.h"
#include "tests/support/log_capture.h"
#include "tests/support/recording_renderer.h"
#include "tools/settings.h"
#include "tools/shader_handles.h"
#include "tools/shader_precompiler.h"
#include "ui/input.h"

namespace tovan::test {
namespace {

std::unique_ptr<cSettings> FreshSettings() {
    return std::unique_ptr<cSettings>(static_cast<cSettings*>(cSettings::Instance()->CreateInstance()));
}

std::string Saved(cSettings& settings) {
    cStr text;
    EXPECT_TRUE(settings.SaveToText(text));
    return text.GetText();
}

TEST(Settings, FreshObjectSavesTheRootAlone) { EXPECT_EQ(Saved(*FreshSettings()), "<cSettings></cSettings>\n"); }

TEST(Settings, WritesChangesButNeverTheMobileFlags) {
    auto settings = FreshSettings();
    settings->m_Language = 2;
    settings->m_ShowFps = true;
    settings->m_LowQuality = true;
    settings->m_HomeButtonOnTheRight = true;
    settings->m_HomeButtonOnTheLeft = true;
    EXPECT_EQ(Saved(*settings),
              "<cSettings>\n"
              " <Language>German</Language>\n"
              " <ShowFps>true</ShowFps>\n"
              "</cSettings>\n");
}

TEST(Settings, ReadsLanguageLabels) {
    const struct {
        const char* label;
        int32_t value;
    } cases[] = {{"English", 0}, {"German", 2}, {"Chinese", 8}, {"Klingon", 0}};
    for (const auto& c : cases) {
        LogCapture log;
        auto settings = FreshSettings();
        settings->m_Language = 5;
        const std::string text = std::string("<cSettings><Language>") + c.label + "</Language></cSettings>";
        EXPECT_TRUE(settings->LoadFromText(text.c_str())) << c.label;
        EXPECT_EQ(settings->m_Language, c.value) << c.label;
    }
}

// Both members named "Platform" keep their values through a save and a load.
TEST(Settings, BothPlatformsSurviveSaveAndLoad) {
    auto settings = FreshSettings();
    settings->m_BuildPlatform = int32_t(SettingsPlatform::Tizen);
    const std::string text = Saved(*settings);
    EXPECT_EQ(text,
              "<cSettings>\n"
              " <Platform>PC</Platform>\n"
              " <Platform>Tizen</Platform>\n"
              "</cSettings>\n");
    auto back = FreshSettings();
    back->m_ShadersPlatform = 1;
    ASSERT_TRUE(back->LoadFromText(text.c_str()));
    EXPECT_EQ(back->m_ShadersPlatform, int32_t(SettingsShadersPlatform::Pc));
    EXPECT_EQ(back->m_BuildPlatform, int32_t(SettingsPlatform::Tizen));

    settings->m_ShadersPlatform = 1;
    settings->m_BuildPlatform = 0;
    auto again = FreshSettings();
    ASSERT_TRUE(again->LoadFromText(Saved(*settings).c_str()));
    EXPECT_EQ(again->m_ShadersPlatform, 1);
    EXPECT_EQ(again->m_BuildPlatform, 0);
}

// The colour is stored once: its sliders are views of the same four floats.
TEST(Settings, ClearColorRoundTripsThroughItsColourOnly) {
    auto settings = FreshSettings();
    settings->m_ClearColor.m_Color = {0.25f, 0.5f, 0.75f, 1.0f};
    settings->m_ClearColor.m_Modulator.x = 1.5f;
    const std::string text = Saved(*settings);
    EXPECT_EQ(text,
              "<cSettings>\n"
              " <ClearColor>\n"
              "  <Color>0.250 0.500 0.750 1.000</Color>\n"
              "  <Modulator>1.500 0.000 2.000</Modulator>\n"
              " </ClearColor>\n"
              "</cSettings>\n");
    auto back = FreshSettings();
    ASSERT_TRUE(back->LoadFromText(text.c_str()));
    EXPECT_EQ(back->m_ClearColor.m_Color, settings->m_ClearColor.m_Color);
    EXPECT_EQ(back->m_ClearColor.m_Modulator.x, 1.5f);
}

// Buttons are found by their command names and run the command on the object.
TEST(Settings, ReloadButtonsReachTheRenderDevice) {
    RecordingRenderer device;
    int32_t vertexHandle = -5, pixelHandle = -5;
    VertexShaderHandles.PushBack(cShaderHandle{0, cStr("Sky"), &vertexHandle});
    PixelShaderHandles.PushBack(cShaderHandle{1, cStr("Water"), &pixelHandle});
    auto settings = FreshSettings();
    for (const char* name : {"&cSettings::ReloadTextures", "&cSettings::ReloadShaders"}) {
        cClass* field = nullptr;
        void* address = nullptr;
        uintptr_t extra = 0;
        ASSERT_TRUE(settings->FindMember(name, &field, &address, &extra, settings.get())) << name;
        ASSERT_TRUE(field->IsButton()) << name;
        field->Press(settings.get());
    }
    const std::vector<std::string> ops = device.Ops();
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[0], "ReloadTextures");
    EXPECT_EQ(ops[1], "ReloadShaders");
    const std::vector<RenderCall> shaders = device.CallsNamed("GetShader");
    ASSERT_EQ(shaders.size(), 2u);
    EXPECT_EQ(shaders[0].text, "Sky");
    EXPECT_EQ(shaders[1].text, "Water");
    EXPECT_NE(vertexHandle, -5);
    EXPECT_NE(pixelHandle, -5);
    VertexShaderHandles.Resize(0, cShaderHandle());
    PixelShaderHandles.Resize(0, cShaderHandle());
}

TEST(ShaderOutputName, FollowsTheRule) {
    const struct {
        int file, variant;
        const char* name;
    } cases[] = {
        {3, 0, "00000003"}, {3, 2, "00000023"},  {12, 1, "00000112"},     {2, 11, "00000112"},
        {0, 0, "00000000"}, {0, 10, "00000100"}, {123456, 9, "09123456"}, {1234567, 10, "101234567"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(ShaderOutputName(c.file, c.variant).GetText(), c.name) << c.file << " " << c.variant;
}

}  // namespace
}  // namespace tovan::test

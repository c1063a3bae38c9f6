// The framework's globals: their start values, and their release at exit.
#include "core/entry.h"
#include "core/folder_names.h"
#include "core/frame_clock.h"
#include "core/material_preset.h"
#include "core/memory.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace tovan {
namespace {

constexpr int kAllReleased = 42;
constexpr int kSomeHeld = 43;

// Constructed before every other global of the program, so destroyed after all
// of them: when armed it checks that the blocks it watches were given back, and
// reports through the exit code.
class ExitObserver {
public:
    ExitObserver() { m_Count = 0; }  // dynamic, so that it takes its place in the order
    ~ExitObserver() {
        if (!m_Armed)
            return;
        bool released = true;
        for (int i = 0; i < m_Count; ++i)
            released = released && IsReleased(m_Blocks[i]);
        std::_Exit(released ? kAllReleased : kSomeHeld);
    }

    static bool CanObserve() {
#if defined(__SANITIZE_ADDRESS__)
        return true;
#else
        return !PoolPassthrough();
#endif
    }

    // A string's buffer; short texts live in 32-byte string-pool blocks.
    void Watch(const cStr& text) {
        ASSERT_NE(text.Data(), nullptr);
        ASSERT_LE(text.Capacity(), 32);
        ASSERT_LT(m_Count, 64);
        m_Blocks[m_Count++] = text.Data();
    }
    void Arm() { m_Armed = true; }

private:
    static bool IsReleased(const void* block) {
#if defined(__SANITIZE_ADDRESS__)
        if (PoolPassthrough())
            return __asan_address_is_poisoned(block);  // deleted, held in quarantine
#endif
        return static_cast<const char*>(block)[0] == 31;  // the string pool's free mark
    }

    const void* m_Blocks[64];
    int m_Count;
    bool m_Armed = false;
};

__attribute__((init_priority(101))) ExitObserver g_ExitObserver;

TEST(MaterialPresets, OrderAndValues) {
    EXPECT_EQ(MaterialPresets[0].m_Name, "Brass");
    EXPECT_EQ(MaterialPresets[0].m_Ambient, (cColor{0.329412f, 0.223529f, 0.027451f, 1}));
    EXPECT_EQ(MaterialPresets[0].m_Specular, (cColor{0.992157f, 0.941176f, 0.807843f, 1}));
    EXPECT_EQ(MaterialPresets[0].m_Shininess, 27.8974f);
    EXPECT_EQ(MaterialPresets[18].m_Name, "Black Rubber");
    EXPECT_EQ(MaterialPresets[18].m_Diffuse, (cColor{0.01f, 0.01f, 0.01f, 1}));
    EXPECT_EQ(MaterialPresets[18].m_Shininess, 10.0f);
    EXPECT_EQ(MaterialPresets[11].m_Name, "Emerald");
    EXPECT_EQ(MaterialPresets[11].m_Diffuse, (cColor{0.07568f, 0.61424f, 0.07568f, 0.55f}));
    EXPECT_EQ(MaterialPresets[14].m_Name, "Pearl");
    EXPECT_EQ(MaterialPresets[14].m_Shininess, 11.264f);

    const char* names[kMaterialPresetCount] = {
        "Brass",       "Bronze",        "Polished Bronze", "Chrome", "Copper",          "Polished Copper",
        "Gold",        "Polished Gold", "Pewter",          "Silver", "Polished Silver", "Emerald",
        "Jade",        "Obsidian",      "Pearl",           "Ruby",   "Turquoise",       "Black Plastic",
        "Black Rubber"};
    for (int i = 0; i < kMaterialPresetCount; ++i) {
        EXPECT_EQ(MaterialPresets[i].m_Name, names[i]) << i;
        EXPECT_GT(MaterialPresets[i].m_Shininess, 0) << i;
        EXPECT_EQ(MaterialPresets[i].m_Ambient.a, MaterialPresets[i].m_Specular.a) << i;
    }
    // The record: name, ambient, diffuse, specular, then shininess.
    EXPECT_LT(offsetof(cMaterialPreset, m_Ambient), offsetof(cMaterialPreset, m_Diffuse));
    EXPECT_LT(offsetof(cMaterialPreset, m_Diffuse), offsetof(cMaterialPreset, m_Specular));
    EXPECT_LT(offsetof(cMaterialPreset, m_Specular), offsetof(cMaterialPreset, m_Shininess));
}

TEST(StaticSetup, GlobalsExistBeforeMain) {
    EXPECT_TRUE(CommandLineText.IsEmpty());
    EXPECT_EQ(FrameClock.m_TimeScale, 1.0f);
    EXPECT_EQ(kUnitZ, (cVec3{0, 0, 1}));
    EXPECT_EQ(kReferenceDirection2, (cVec2{0, 1}));
    EXPECT_EQ(ModelsFolder, "Models");
    EXPECT_EQ(SoundsFolder, "Sounds");
    EXPECT_EQ(TexturesFolder, "Textures");
    EXPECT_EQ(XmlsFolder, "Xmls");
}

TEST(StaticSetupDeathTest, GlobalsGiveTheirBuffersBackAtExit) {
    if (!ExitObserver::CanObserve())
        GTEST_SKIP() << "freed pool blocks cannot be told apart in this build";
    EXPECT_EXIT(
        {
            CommandLineText = "-x data";
            FrameClock.UpdateClockStrings();
            for (const cMaterialPreset& preset : MaterialPresets)
                g_ExitObserver.Watch(preset.m_Name);
            for (const cStr* folder : {&ModelsFolder, &SoundsFolder, &TexturesFolder, &XmlsFolder})
                g_ExitObserver.Watch(*folder);
            g_ExitObserver.Watch(CommandLineText);
            g_ExitObserver.Watch(FrameClock.m_ClockText);
            g_ExitObserver.Watch(FrameClock.m_DateText);
            g_ExitObserver.Arm();
            std::exit(0);
        },
        ::testing::ExitedWithCode(kAllReleased), "");
}

}  // namespace
}  // namespace tovan

// The per-kind pickers over a scripted dialog hook: where each starts, what it
// remembers of a confirmed choice, and the kind-folder table.
#include <algorithm>
#include <cctype>

#include "io/file_pickers.h"
#include "tests/io/io_fixture.h"
#include "tests/io/registration_lines.h"

namespace tovan {
namespace {

using test::IoTest;
using test::Str;

struct SeenRequest {
    PickDialog dialog;
    bool open;
    std::string title, extensions, folder, name;
    int filterIndex;
};

std::vector<SeenRequest> g_Seen;
std::string g_Answer;  // "" cancels

bool ScriptedDialog(const PickRequest& r, cStr& chosen) {
    g_Seen.push_back({r.m_Dialog, r.m_Open, r.m_Title ? r.m_Title : "(own)", r.m_Extensions ? r.m_Extensions : "(own)",
                      r.m_InitialFolder, r.m_InitialName, r.m_FilterIndex});
    if (g_Answer.empty())
        return false;
    chosen = g_Answer.c_str();
    return true;
}

class PickerTest : public IoTest {
protected:
    void SetUp() override {
        IoTest::SetUp();
        GetPickerMemory() = PickerMemory();
        GetKindFolders().Free();
        g_Seen.clear();
        g_Answer.clear();
        SetPickDialogHook(&ScriptedDialog);
    }
    void TearDown() override {
        SetPickDialogHook(nullptr);
        GetPickerMemory() = PickerMemory();
        GetKindFolders().Free();
        IoTest::TearDown();
    }
    std::string KindFolder(const char* kind) const {
        for (const auto& entry : GetKindFolders())
            if (entry.m_Kind == kind)
                return Str(entry.m_Folder);
        return "(none)";
    }
};

using Picker = bool (*)(cStr&);

TEST_F(PickerTest, EachPickerAsksForItsDialogAndRecordsItsKind) {
    struct Case {
        Picker pick;
        PickDialog dialog;
        bool open;
        const char* title;
        const char* extensions;
        const char* kind;
    };
    const Case cases[] = {
        {&cIO::PickImageToLoad, PickDialog::Image, true, "(own)", "(own)", "Image"},
        {&cIO::PickImageToSave, PickDialog::Image, false, "(own)", "(own)", "Image"},
        {&cIO::PickSoundToLoad, PickDialog::Sound, true, "(own)", "caf", "Sound"},
        {&cIO::PickXmlToLoad, PickDialog::Xml, true, "Load Xml File", "Xml", "Xml"},
        {&cIO::PickXmlToSave, PickDialog::Xml, false, "Save Xml File", "Xml", "Xml"},
        {&cIO::PickAnimToLoad, PickDialog::Anim, true, "(own)", "(own)", "Media"},
        {&cIO::PickModelToLoad, PickDialog::Model, true, "(own)", "(own)", "Media"},
        {&cIO::PickCameraToLoad, PickDialog::Camera, true, "(own)", "(own)", "Media"},
        {&cIO::PickBspToLoad, PickDialog::Bsp, true, "(own)", "cBsp", "Media"},
    };
    for (const Case& c : cases) {
        g_Seen.clear();
        cStr result("kept");
        EXPECT_FALSE(c.pick(result));
        EXPECT_EQ(Str(result), "kept");  // a cancel leaves the result
        ASSERT_EQ(g_Seen.size(), 1u) << c.kind;
        EXPECT_EQ(g_Seen[0].dialog, c.dialog) << c.kind;
        EXPECT_EQ(g_Seen[0].open, c.open) << c.kind;
        EXPECT_EQ(g_Seen[0].title, c.title) << c.kind;
        EXPECT_EQ(g_Seen[0].extensions, c.extensions) << c.kind;
        EXPECT_EQ(g_Seen[0].folder, "") << c.kind;
        EXPECT_EQ(g_Seen[0].name, "") << c.kind;
        EXPECT_EQ(g_Seen[0].filterIndex, 1) << c.kind;
        EXPECT_EQ(KindFolder(c.kind), Base()) << c.kind;  // the empty folder, resolved
    }
    EXPECT_EQ(GetKindFolders().Count(), 4);
    EXPECT_TRUE(GetPickerMemory().m_ImageFile.IsEmpty());
}

TEST_F(PickerTest, LoadAnswersRelativeSaveFullAndTheNextPickStartsThere) {
    g_Answer = InBase("Textures\\Stone\\wall.png");
    cStr result;
    ASSERT_TRUE(cIO::PickImageToLoad(result));
    EXPECT_EQ(Str(result), "Textures\\Stone\\wall.png");
    EXPECT_EQ(Str(GetPickerMemory().m_ImageFile), g_Answer);
    EXPECT_EQ(Str(GetPickerMemory().m_ImageFolder), InBase("Textures\\Stone\\"));

    g_Answer = "C:\\out\\a.tga";
    ASSERT_TRUE(cIO::PickImageToSave(result));
    EXPECT_EQ(Str(result), "C:\\out\\a.tga");
    ASSERT_EQ(g_Seen.size(), 2u);
    EXPECT_EQ(g_Seen[1].folder, InBase("Textures\\Stone\\"));
    EXPECT_EQ(g_Seen[1].name, "wall.png");
    EXPECT_EQ(g_Seen[1].filterIndex, 1);  // no Png codec: the first entry

    // The last image a.tga: the save dialog opens on the Tga filter.
    g_Answer.clear();
    EXPECT_FALSE(cIO::PickImageToSave(result));
    EXPECT_EQ(g_Seen[2].folder, "C:\\out\\");
    EXPECT_EQ(g_Seen[2].name, "a.tga");
    const std::vector<std::string> codecs = test::ImageCodecNames();
    EXPECT_EQ(g_Seen[2].filterIndex, std::find(codecs.begin(), codecs.end(), "Tga") - codecs.begin() + 1);
    EXPECT_EQ(KindFolder("Image"), "C:\\out\\");  // where it started, not the last choice
    EXPECT_EQ(Str(result), "C:\\out\\a.tga");
}

TEST_F(PickerTest, MediaKindsShareTheFolderButNotTheFile) {
    g_Answer = InBase("Models\\ship.obj");
    cStr result;
    ASSERT_TRUE(cIO::PickModelToLoad(result));
    EXPECT_EQ(Str(result), "Models\\ship.obj");
    g_Answer.clear();
    EXPECT_FALSE(cIO::PickCameraToLoad(result));
    ASSERT_EQ(g_Seen.size(), 2u);
    EXPECT_EQ(g_Seen[1].folder, InBase("Models\\"));
    EXPECT_EQ(g_Seen[1].name, "");
    EXPECT_EQ(KindFolder("Media"), InBase("Models\\"));
    // A file outside the base folder stays a full path.
    g_Answer = "D:\\elsewhere\\walk.cAnim";
    ASSERT_TRUE(cIO::PickAnimToLoad(result));
    EXPECT_EQ(Str(result), "D:\\elsewhere\\walk.cAnim");
}

TEST_F(PickerTest, KindFoldersAreExactPerKindAndFeedTheFontFolder) {
    EXPECT_EQ(Str(cIO::GetGenFontFolder()), Base());
    cIO::SetKindFolder("Image", "a");
    cIO::SetKindFolder("image", "b");
    cIO::SetKindFolder("Image", "c");
    ASSERT_EQ(GetKindFolders().Count(), 2);
    EXPECT_EQ(KindFolder("Image"), InBase("c"));
    EXPECT_EQ(KindFolder("image"), InBase("b"));
    cIO::SetKindFolder("GenFont", "C:/fonts/src");
    EXPECT_EQ(Str(cIO::GetGenFontFolder()), "C:\\fonts\\src");
}

TEST_F(PickerTest, ImageSaveFilterFollowsTheLastExtensionInAnyCase) {
    std::vector<std::pair<std::string, int>> cases = {{"C:\\x\\a.png", 1}, {"C:\\x\\noext", 1}, {"C:\\x\\a.", 1}};
    const std::vector<std::string> codecs = test::ImageCodecNames();
    for (size_t i = 0; i < codecs.size(); ++i) {  // each codec's entry, its extension upper or lower case
        std::string extension = codecs[i];
        for (char& ch : extension)
            ch = char(i % 2 ? std::tolower(ch) : std::toupper(ch));
        cases.push_back({"C:\\x\\a." + extension, int(i) + 1});
    }
    for (const auto& c : cases) {
        GetPickerMemory().m_ImageFile = c.first.c_str();
        g_Seen.clear();
        cStr result;
        cIO::PickImageToSave(result);
        ASSERT_EQ(g_Seen.size(), 1u);
        EXPECT_EQ(g_Seen[0].filterIndex, c.second) << c.first;
    }
}

}  // namespace
}  // namespace tovan

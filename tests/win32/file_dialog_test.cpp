// The file dialog frame's rules that need no window: the filter text, what the
// pane shows for a selection, and the plain open/save dialog's results.
#include "tests/support/log_capture.h"
#include "tests/win32/preview_files.h"
#include "win32/file_previews.h"
#include "win32/open_save_dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tovan {
namespace {

using test::ScratchTest;

std::string Text(const cStr& s) { return std::string(s.GetText(), size_t(s.Length())); }

TEST(FileDialogFilter, OneEntryToOpenOneEntryPerTypeToSave) {
    using namespace std::string_literals;
    struct Case {
        bool open;
        const char* names;
        std::string filter;
    };
    const Case cases[] = {
        {true, "png bmp", "png bmp\0*.png;*.bmp;\0\0"s},
        {false, "png bmp", "png\0*.png\0bmp\0*.bmp\0\0"s},
        {true, " Dds,\tTga;;cPvr ", "Dds Tga cPvr\0*.Dds;*.Tga;*.cPvr;\0\0"s},
        {false, "Xml", "Xml\0*.Xml\0\0"s},
        {true, "", "\0\0\0"s},
    };
    for (const Case& c : cases) {
        cWin32::ImageFileDialog dialog("", c.open);
        dialog.SetFilterIndex(3);
        dialog.BuildFilter(c.names);
        EXPECT_EQ(Text(dialog.GetFilter()), c.filter) << c.names;
        EXPECT_EQ(dialog.GetFilterIndex(), 1);
        EXPECT_EQ(dialog.GetFlags(), c.open ? 0x8818A4u : 0x8808A6u);  // with the template handle
    }
}

TEST(FileDialogFilter, TitlesAndExtensionsOfEachKind) {
    struct Case {
        std::unique_ptr<cWin32::FileDialog> dialog;
        const char* title;
        const char* filter;
        bool animated;
    };
    Case cases[] = {
        {std::make_unique<cWin32::ImageFileDialog>("", true), "Load Image File", "Dds Bmp cPvr Tga", false},
        {std::make_unique<cWin32::ImageFileDialog>("", false), "Save Image File", "Dds", false},
        {std::make_unique<cWin32::ModelFileDialog>(""), "Load Model File", "cModel Md5Mesh Obj", false},
        {std::make_unique<cWin32::AnimFileDialog>(""), "Load Animation File", "cAnim Md5Anim", true},
        {std::make_unique<cWin32::CameraFileDialog>(""), "Load Camera File", "cCamera", true},
        {std::make_unique<cWin32::BspFileDialog>(""), "Load Bsp File", "cBsp", false},
        {std::make_unique<cWin32::SoundFileDialog>("", "caf"), "Load Sounde File", "caf", false},
        {std::make_unique<cWin32::XmlFileDialog>("", false), "Save Xml File", "Xml", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::string(c.dialog->GetTitle().GetText()), c.title);
        EXPECT_EQ(std::string(c.dialog->GetFilter().GetText()), c.filter) << c.title;  // up to the first NUL
        EXPECT_EQ(c.dialog->IsAnimated(), c.animated) << c.title;
        EXPECT_EQ(c.dialog->GetTemplate().ItemCount(), 4);
    }
}

class FileDialogPane : public ScratchTest {
protected:
    test::LogCapture log;
};

TEST_F(FileDialogPane, TheSelectionDecidesLabelInfoAndChosenPath) {
    const std::string longName = "a_texture_with_a_name_longer_than_thirty";
    test::WriteBmp(scratch, longName + ".bmp", 4, 4);
    test::WriteBmp(scratch, "short.BMP", 2, 2);
    scratch.Write("broken.bmp", "BM");
    scratch.Write("other.txt", "text");
    const std::string folder = scratch / "ignored.bmp";  // the system's path: cut at the last separator
    struct Case {
        bool open;
        std::string typed;
        bool loaded;
        std::string label, chosen;
    };
    const Case cases[] = {
        {true, longName + ".bmp", true, "a_texture_with_a_name_longer_t...", scratch / (longName + ".bmp")},
        {true, "C:\\elsewhere\\short.BMP", true, "short", scratch / "short.BMP"},  // the box's folder is dropped
        {true, "broken.bmp", false, "No Preview", ""},
        {false, "broken.bmp", false, "No Preview", scratch / "broken.bmp"},
        {true, "other.txt", false, "No Preview", ""},
        {false, "new", false, "No Preview", scratch / "new"},
        {true, "missing.bmp", false, "No Preview", ""},
    };
    for (const Case& c : cases) {
        cWin32::ImageFileDialog dialog("", c.open);
        EXPECT_EQ(dialog.Refresh(folder.c_str(), c.typed.c_str(), "C:\\"), c.loaded) << c.typed;
        EXPECT_EQ(Text(dialog.GetNameLabel()), c.label) << c.typed;
        EXPECT_EQ(Text(dialog.GetChosenPath()), c.chosen) << c.typed;
        EXPECT_EQ(dialog.HasPreview(), c.loaded);
        EXPECT_EQ(dialog.GetInfoText().IsEmpty(), !c.loaded);
    }
    // The same candidate again (in any case) keeps what was loaded.
    cWin32::ImageFileDialog dialog("", true);
    ASSERT_TRUE(dialog.Refresh(folder.c_str(), "short.BMP", "C:\\"));
    scratch.Write("short.BMP", "now broken");
    EXPECT_TRUE(dialog.Refresh(folder.c_str(), "SHORT.bmp", "C:\\"));
    EXPECT_EQ(Text(dialog.GetNameLabel()), "short");
    // A name without any folder is completed with the current directory.
    EXPECT_FALSE(dialog.Refresh("", "x.bmp", "C:\\work"));
    cWin32::ImageFileDialog save("", false);
    save.Refresh("", "x.bmp", "C:\\work");
    EXPECT_EQ(Text(save.GetChosenPath()), "C:\\work\\x.bmp");
}

TEST(OpenSaveDialogRules, SetupNormalisesTheExtensionsAndFlags) {
    OpenSaveDialog dialog;
    dialog.m_Extensions.PushBack(".PNG");
    dialog.m_Extensions.PushBack("bmp");
    dialog.m_Extensions.PushBack(".Tga");
    dialog.m_DefaultExtension = ".tga";
    dialog.m_Open = false;
    cList<cStr> results;
    dialog.m_Results = &results;
    dialog.Setup();
    using namespace std::string_literals;
    EXPECT_EQ(Text(dialog.m_Filter), "tga\0*.tga\0bmp\0*.bmp\0png\0*.png\0\0"s);
    EXPECT_EQ(Text(dialog.m_DefaultExtension), "tga");
    EXPECT_EQ(dialog.m_FileBuffer.Count(), 26000);
    EXPECT_EQ(dialog.m_Flags & ~OpenSaveDialog::kEnableHook, 0x880804u | 0x200u | 2u);
}

TEST(OpenSaveDialogRules, SaveResultsGetTheSelectedTypesExtension) {
    struct Case {
        bool open;
        const char* path;
        int filterIndex;
        const char* defaultExtension;
        const char* fixed;
        bool succeeded;
    };
    const Case cases[] = {
        {false, "C:\\a\\name", 2, "", "C:\\a\\name.bmp", true},
        {false, "C:\\a\\name.PNG", 2, "", "C:\\a\\name.PNG", true},
        {false, "C:\\a\\name.ng", 1, "", "C:\\a\\name.ng", true},  // found inside "png"
        {false, "C:\\a\\name", 0, "tga", "C:\\a\\name.tga", true},
        {false, "C:\\a\\name", 9, "", "C:\\a\\name.png", true},
        {true, "C:\\a\\name.txt", 1, "", "C:\\a\\name.txt", false},
    };
    for (const Case& c : cases) {
        OpenSaveDialog dialog;
        dialog.m_Extensions.PushBack("png");
        dialog.m_Extensions.PushBack("bmp");
        dialog.m_DefaultExtension = c.defaultExtension;
        dialog.m_Open = c.open;
        dialog.m_FilterIndex = c.filterIndex;
        dialog.m_Succeeded = true;
        cStr path(c.path);
        dialog.FixExtension(path);
        EXPECT_EQ(Text(path), c.fixed) << c.path;
        EXPECT_EQ(dialog.m_Succeeded, c.succeeded) << c.path;
    }
}

TEST_F(FileDialogPane, MultipleResultsAreAFolderAndNamesOfFilesThatExist) {
    scratch.Write("a.png", "a");
    scratch.Write("b.png", "b");
    std::string folder = scratch.Path();
    folder.pop_back();
    const std::string buffer = folder + '\0' + "a.png" + '\0' + "gone.png" + '\0' + "b.png" + '\0' + '\0';
    OpenSaveDialog dialog;
    cList<cStr> results;
    dialog.m_Results = &results;
    dialog.TakeResults(buffer.data(), int(buffer.size()));
    ASSERT_EQ(results.Count(), 2);
    EXPECT_EQ(Text(results[0]), scratch / "a.png");
    EXPECT_EQ(Text(results[1]), scratch / "b.png");
    EXPECT_TRUE(dialog.m_Succeeded);

    const std::string none = folder + '\0' + "gone.png" + '\0' + '\0';
    results.Free();
    dialog.TakeResults(none.data(), int(none.size()));
    EXPECT_FALSE(dialog.m_Succeeded);
    const std::string unterminated = "C:\\x";  // no NUL at all: read up to the size
    cStr single;
    OpenSaveDialog save;
    save.m_Open = false;
    save.m_Result = &single;
    save.TakeResults(unterminated.data(), int(unterminated.size()));
    EXPECT_EQ(Text(single), "C:\\x");
    EXPECT_TRUE(save.m_Succeeded);
}

}  // namespace
}  // namespace tovan

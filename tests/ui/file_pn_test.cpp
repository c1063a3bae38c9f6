// cFilePn inside a form: the picker its button opens per kind, where that
// picker starts, and the notifications of a pick.
#include "ui/file_pn.h"

#include <gtest/gtest.h>

#include <string>

#include "io/file_pickers.h"
#include "io/io.h"
#include "tests/ui/form_test_support.h"
#include "ui/button.h"
#include "ui/edit.h"

namespace tovan {
namespace {

using test::FormFixture;

// The dialog: records where it started and answers a full path ("" cancels).
struct Dialog {
    int shown = 0;
    PickDialog dialog = PickDialog::Image;
    std::string folder, name, answer;
};
Dialog g_Dialog;

bool AnswerPick(const PickRequest& request, cStr& chosen) {
    ++g_Dialog.shown;
    g_Dialog.dialog = request.m_Dialog;
    g_Dialog.folder = request.m_InitialFolder;
    g_Dialog.name = request.m_InitialName;
    if (g_Dialog.answer.empty())
        return false;
    chosen = g_Dialog.answer.c_str();
    return true;
}

std::string InBase(const char* relative) {
    std::string base = cIO::GetBaseFolder()->GetText();
    if (!base.empty() && base.back() != '\\' && base.back() != '/')
        base += '\\';
    return base + relative;
}

class FilePn : public FormFixture {
protected:
    FilePn() {
        style.m_Edit.m_Margin = 2;
        style.m_Edit.m_TextWidth = 100;
        style.m_Edit.m_Height = 12;
        style.m_ButtonGap = 4;
        style.m_Button.m_SmallButtonWidth = 20;
        style.m_Button.m_SmallButtonHeight = 16;
        cIO::Init();
        SetPickDialogHook(AnswerPick);
        GetPickerMemory() = PickerMemory();
        field = Add<cFilePn>(form, &path, "Texture");
        field->m_LayoutX = 10, field->m_LayoutY = -10;
        host.Frame();
        host.Frame();
    }
    ~FilePn() override {
        SetPickDialogHook(nullptr);
        GetPickerMemory() = PickerMemory();
        g_Dialog = Dialog();
    }
    void ClickButton() {
        const cRect r = field->PickButton()->m_Box.m_Drawn;
        host.MoveCursor((r.x0 + r.x1) / 2, (r.y0 + r.y1) / 2);
        host.Click(kKeyLeftButton);
        host.Frame();
    }

    cStr path;
    cFilePn* field;
};

TEST_F(FilePn, APickChangingThePathNotifiesTenBeforeTheButtonsZero) {
    struct Case {
        int kind;
        const char* path;
        const char* answer;  // relative to the base folder; "" cancels
        PickDialog dialog;
        const char* startName;  // the file the dialog starts with, in the path's folder
        const char* after;
    };
    const Case cases[] = {
        {cFilePn::kImage, "Textures\\a.tga", "Textures\\b.tga", PickDialog::Image, "a.tga", "Textures\\b.tga"},
        {cFilePn::kImage, "Textures\\a.tga", "", PickDialog::Image, "a.tga", "Textures\\a.tga"},  // cancelled
        {cFilePn::kImage, "Textures\\a.tga", "Textures\\a.tga", PickDialog::Image, "a.tga", "Textures\\a.tga"},
        {cFilePn::kModel, "Models\\m.cModel", "Models\\n.cModel", PickDialog::Model, "m.cModel", "Models\\n.cModel"},
        {cFilePn::kModel, "Models\\m.obj", "Models\\m.cModel", PickDialog::Model, "",
         "Models\\m.cModel"},  // foreign: the folder only
        {cFilePn::kAnim, "Anims\\w.CANIM", "Anims\\r.cAnim", PickDialog::Anim, "w.CANIM", "Anims\\r.cAnim"},
        {cFilePn::kBsp, "", "Maps\\a.cBsp", PickDialog::Bsp, "", "Maps\\a.cBsp"},
        {cFilePn::kSound, "Sounds\\s.caf", "", PickDialog::Sound, "s.caf", "Sounds\\s.caf"},
        {cFilePn::kXml, "a.xml", "b.xml", PickDialog::Xml, "a.xml", "b.xml"},
    };
    EXPECT_EQ(field->PickButton()->m_LayoutX, 118);  // 10 + 2 x 2 + 100 + 4
    EXPECT_EQ(field->PickButton()->m_LayoutY, -8);   // centred on the edit's height
    EXPECT_TRUE(field->PathEdit()->m_ReadOnly);
    for (const Case& c : cases) {
        field->m_Kind = c.kind;
        path = c.path;
        GetPickerMemory() = PickerMemory();
        g_Dialog = Dialog();
        g_Dialog.answer = *c.answer ? InBase(c.answer) : "";
        form->m_Notes.clear();
        ClickButton();
        ASSERT_EQ(g_Dialog.shown, 1) << c.path;
        EXPECT_EQ(g_Dialog.dialog, c.dialog);
        EXPECT_EQ(g_Dialog.name, c.startName) << c.path;
        if (*c.path) {
            EXPECT_STREQ(g_Dialog.folder.c_str(), cStr(c.path).GetFolder().GetText());
        }
        EXPECT_STREQ(path.GetText(), c.after);
        EXPECT_TRUE(GetPickerMemory().m_ImageFile.IsEmpty() && GetPickerMemory().m_ModelFile.IsEmpty() &&
                    GetPickerMemory().m_AnimFile.IsEmpty() && GetPickerMemory().m_XmlFile.IsEmpty());
        const bool changed = std::string(c.path) != c.after;
        ASSERT_EQ(form->m_Notes.size(), changed ? 2u : 1u) << c.path << " -> " << c.answer;
        if (changed) {
            EXPECT_EQ(form->m_Notes[0].code, kNotifyFilePath);
            EXPECT_EQ(form->m_Notes[0].source, FindWidgetHandle(field));
            EXPECT_EQ(form->m_Notes[0].oldText, c.path);
            EXPECT_EQ(form->m_Notes[0].newText, c.after);
        }
        EXPECT_EQ(form->m_Notes.back().code, kNotifyButton);
        EXPECT_EQ(form->m_Notes.back().source, FindWidgetHandle(field->PickButton()));
    }
    // A kind without a picker opens nothing.
    field->m_Kind = 9;
    g_Dialog = Dialog();
    form->m_Notes.clear();
    ClickButton();
    EXPECT_EQ(g_Dialog.shown, 0);
    EXPECT_EQ(form->m_Notes.size(), 1u);
}

}  // namespace
}  // namespace tovan

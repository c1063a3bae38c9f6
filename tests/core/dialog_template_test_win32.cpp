// The real dialog functions accept the template and build the controls it describes.
#include "core/dialog_template.h"
#include "tests/support/dialog_driver_win32.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

INT_PTR CALLBACK PlainProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) != 106) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

std::string ClassOf(HWND window) {
    char name[64] = {0};
    GetClassNameA(window, name, sizeof name);
    return name;
}

TEST(DialogTemplateWin32, RealDialogShowsTheTemplate) {
    cDialogTemplate t;
    t.Begin("Template probe", 0x86CF0808, 0x50000, 200, 120, "Tahoma");  // caption, border, sizing frame
    t.AddItem("Edit", "hello", 0x50B10804, 4, 4, 100, 40, 106);
    t.AddItem("Button", "&Ignore", WS_VISIBLE | WS_TABSTOP, 4, 60, 50, 14, 102);
    t.AddItem("Button", "E&xit", WS_VISIBLE | WS_TABSTOP, 60, 60, 50, 14, 105);

    std::string caption, editClass, editText, ignoreText, exitText;
    LONG editStyle = 0;
    test::DialogDriver driver(102, [&](HWND dialog) {
        caption = test::WindowText(dialog);
        HWND edit = GetDlgItem(dialog, 106);
        editClass = ClassOf(edit);
        editText = test::WindowText(edit);
        editStyle = GetWindowLongA(edit, GWL_STYLE);
        ignoreText = test::WindowText(GetDlgItem(dialog, 102));
        exitText = test::WindowText(GetDlgItem(dialog, 105));
        return 105;
    });
    INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(t.Data()),
                                             nullptr, PlainProc, 0);
    EXPECT_EQ(result, 105);
    EXPECT_EQ(driver.DialogsSeen(), 1);
    EXPECT_EQ(caption, "Template probe");
    EXPECT_EQ(editClass, "Edit");
    EXPECT_EQ(editText, "hello");
    EXPECT_TRUE(editStyle & ES_READONLY);
    EXPECT_TRUE(editStyle & ES_MULTILINE);
    EXPECT_TRUE(editStyle & WS_CHILD);
    EXPECT_EQ(ignoreText, "&Ignore");
    EXPECT_EQ(exitText, "E&xit");
}

}  // namespace
}  // namespace tovan

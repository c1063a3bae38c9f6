// CenterWindow on real windows, and shortcuts made with the shell's own link
// interface, then resolved.
#include "tests/support/scratch.h"
#include "tests/support/shell_link_win32.h"
#include "win32/window_helpers.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

namespace tovan {
namespace {

using test::CreateLink;

HWND MakeWindow(int x, int y, int width, int height) {
    return CreateWindowExA(0, "STATIC", "centre", WS_POPUP, x, y, width, height, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

TEST(CenterWindowWin32, CentresOnTheWorkAreaOrOnAReferenceWindow) {
    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    HWND window = MakeWindow(3, 5, 300, 200);
    HWND reference = MakeWindow(100, 120, 600, 400);
    CenterWindow(window, nullptr);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, work.left + (work.right - work.left - 300) / 2);
    EXPECT_EQ(r.top, work.top + (work.bottom - work.top - 200) / 2);
    CenterWindow(window, reference);
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 250);
    EXPECT_EQ(r.top, 220);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);
    CenterWindow(nullptr, reference);  // nothing to move
    DestroyWindow(window);
    DestroyWindow(reference);
}

class ResolveShortcutWin32 : public test::ScratchTest {};

TEST_F(ResolveShortcutWin32, LinksToFilesAndFoldersGiveTheirTargets) {
    scratch.Write("target.txt", "data");
    scratch.Write("folder\\inner.txt", "x");
    struct Case {
        const char* link;
        std::string target;
    };
    const Case cases[] = {
        {"file.lnk", scratch / "target.txt"},
        {"folder.lnk", scratch / "folder"},
        {"nested.lnk", scratch / "folder\\inner.txt"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(CreateLink(scratch / c.link, c.target)) << c.link;
        EXPECT_EQ(std::string(ResolveShortcut((scratch / c.link).c_str()).GetText()), c.target) << c.link;
    }
}

TEST_F(ResolveShortcutWin32, AnythingButALinkGivesNothing) {
    scratch.Write("not-a-link.lnk", "just some text that is no shell link");
    scratch.Write("empty.lnk", "");
    const std::string tooLong = scratch.Path() + std::string(300, 'a') + ".lnk";
    const std::string cases[] = {scratch / "missing.lnk", scratch / "not-a-link.lnk", scratch / "empty.lnk", tooLong,
                                 ""};
    for (const std::string& path : cases)
        EXPECT_TRUE(ResolveShortcut(path.c_str()).IsEmpty()) << path;
    EXPECT_TRUE(ResolveShortcut(nullptr).IsEmpty());
}

}  // namespace
}  // namespace tovan

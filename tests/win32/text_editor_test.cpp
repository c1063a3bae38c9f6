// The text editor's placement and template, the same in every build.
#include "core/dialog_template.h"
#include "core/little_endian.h"
#include "win32/text_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace tovan {
namespace {

TEST(TextEditPlacement, CentresThenKeepsInsideTheArea) {
    const std::pair<WindowRect, WindowRect> cases[] = {
        {{0, 0, 1000, 800}, {300, 300, 700, 500}},    {{-1000, 0, -200, 600}, {-800, 200, -400, 400}},
        {{0, 0, 401, 201}, {0, 0, 400, 200}},     // half pixels round toward the left and top
        {{0, 0, 300, 100}, {0, -100, 400, 100}},  // too small: the left edge and the bottom win
        {{500, 400, 700, 500}, {500, 300, 900, 500}},
    };
    for (auto [area, expected] : cases) {
        const WindowRect r = TextEditPlacement(area);
        EXPECT_EQ(std::make_tuple(r.left, r.top, r.right, r.bottom),
                  std::make_tuple(expected.left, expected.top, expected.right, expected.bottom))
            << area.left << "," << area.top << "," << area.right << "," << area.bottom;
    }
}

// The template read back: styles, size, caption, face, then per item its style,
// id, class and text (UTF-16 read as ASCII).
std::string Describe(const cDialogTemplate& t) {
    const uint8_t* d = t.Data();
    int at = 22;
    auto text = [&] {
        std::string s;
        for (; at + 1 < t.Size() && LoadU16(d + at); at += 2)
            s += char(LoadU16(d + at));
        at += 2;
        return s;
    };
    std::string out = std::to_string(LoadU32(d)) + " " + std::to_string(LoadU32(d + 4)) + " " +
                      std::to_string(LoadU16(d + 14)) + "x" + std::to_string(LoadU16(d + 16)) + " '" + text() + "'";
    out += " " + std::to_string(LoadU16(d + at));
    at += 2;
    out += " " + text();
    for (int i = 0; i < LoadU16(d + 8); ++i) {
        at = (at + 3) & ~3;
        const uint32_t style = LoadU32(d + at);
        const int id = LoadU16(d + at + 16);
        at += 18;
        out += " | " + std::to_string(style) + " " + std::to_string(id) + " " + text();
        out += " '" + text() + "'";
        at += 2;  // no creation data
    }
    EXPECT_EQ(at, t.Size());
    return out;
}

TEST(TextEditTemplate, StylesCaptionAndTheThreeControls) {
    // With a title bar or a border only, DS_SETFONT added for the face; a tool window of 100 x 100 units; the
    // controls all at 0, 0 (placed when the window opens), WS_CHILD added to the buttons.
    const std::string controls =
        " 8 Tahoma | 1353781252 103 Edit '' | 1342242816 101 Button 'OK'"
        " | 1342242816 102 Button 'Cancel'";
    const std::pair<const char*, std::string> cases[] = {
        {"Edit Notes", std::to_string(0x86C00048u) + " 128 100x100 'Edit Notes'" + controls},
        {"", std::to_string(0x86C00048u) + " 128 100x100 ''" + controls},
        {nullptr, std::to_string(0x86800048u) + " 128 100x100 ''" + controls},
    };
    for (const auto& [caption, expected] : cases) {
        cDialogTemplate dialog;
        BuildTextEditTemplate(dialog, caption);
        EXPECT_EQ(Describe(dialog), expected) << (caption ? caption : "(null)");
    }
}

}  // namespace
}  // namespace tovan

// The text editor's placement and template, the same in every build.
#include "core/dialog_template.h"
#include "win32/text_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovan {
namespace {

TEST(TextEditPlacement, CentresThenKeepsInsideTheArea) {
    struct Case {
        WindowRect area, expected;
    };
    const Case cases[] = {
        {{0, 0, 1000, 800}, {300, 300, 700, 500}},
        {{100, 50, 1100, 850}, {400, 350, 800, 550}},
        {{-1000, 0, -200, 600}, {-800, 200, -400, 400}},
        {{0, 0, 401, 201}, {0, 0, 400, 200}},          // half a pixel rounds toward the left and top
        {{10, 20, 410, 220}, {10, 20, 410, 220}},      // exactly the editor's size
        {{0, 0, 300, 100}, {0, -100, 400, 100}},       // too small: left and bottom edges win
        {{500, 400, 700, 500}, {500, 300, 900, 500}},  // too small anywhere on the screen
        {{0, 0, 0, 0}, {0, -200, 400, 0}},             // no area at all
    };
    for (const Case& c : cases) {
        const WindowRect r = TextEditPlacement(c.area);
        EXPECT_EQ(r.left, c.expected.left) << c.area.left << "," << c.area.top << "," << c.area.right;
        EXPECT_EQ(r.top, c.expected.top) << c.area.left << "," << c.area.top << "," << c.area.right;
        EXPECT_EQ(r.right - r.left, kTextEditWidth);
        EXPECT_EQ(r.bottom - r.top, kTextEditHeight);
    }
}

// Reads an in-memory template back: the header fields and each item.
struct TemplateItem {
    uint32_t style, extendedStyle;
    int x, y, width, height, id;
    std::string className, text;
};
struct ParsedTemplate {
    uint32_t style, extendedStyle;
    int count, width, height, pointSize;
    std::string caption, face;
    std::vector<TemplateItem> items;
};

class TemplateReader {
public:
    explicit TemplateReader(const cDialogTemplate& t) : m_Data(t.Data()), m_Size(t.Size()) {}
    uint32_t U16() {
        uint32_t v = m_Offset + 1 < m_Size ? uint32_t(m_Data[m_Offset] | m_Data[m_Offset + 1] << 8) : 0xDEADu;
        m_Offset += 2;
        return v;
    }
    uint32_t U32() {
        uint32_t low = U16();
        return low | U16() << 16;
    }
    std::string Text() {
        std::string text;
        for (uint32_t unit = U16(); unit != 0 && m_Offset <= m_Size; unit = U16())
            text += char(unit);
        return text;
    }
    void Align() { m_Offset = (m_Offset + 3) & ~3; }
    bool AtEnd() const { return m_Offset == m_Size; }

private:
    const uint8_t* m_Data;
    int m_Size;
    int m_Offset = 0;
};

ParsedTemplate Parse(const cDialogTemplate& t) {
    TemplateReader r(t);
    ParsedTemplate p;
    p.style = r.U32();
    p.extendedStyle = r.U32();
    p.count = int(r.U16());
    r.U16();
    r.U16();
    p.width = int(r.U16());
    p.height = int(r.U16());
    EXPECT_EQ(r.U16(), 0u);  // no menu
    EXPECT_EQ(r.U16(), 0u);  // the standard dialog class
    p.caption = r.Text();
    p.pointSize = int(r.U16());
    p.face = r.Text();
    for (int i = 0; i < p.count; ++i) {
        r.Align();
        TemplateItem item;
        item.style = r.U32();
        item.extendedStyle = r.U32();
        item.x = int(r.U16());
        item.y = int(r.U16());
        item.width = int(r.U16());
        item.height = int(r.U16());
        item.id = int(r.U16());
        item.className = r.Text();
        item.text = r.Text();
        EXPECT_EQ(r.U16(), 0u);  // no creation data
        p.items.push_back(item);
    }
    EXPECT_TRUE(r.AtEnd());
    return p;
}

TEST(TextEditTemplate, StylesCaptionAndTheThreeControls) {
    struct Case {
        const char* caption;
        uint32_t style;
        const char* shown;
    };
    const Case cases[] = {
        {"Edit Notes", 0x86C00048, "Edit Notes"},  // with a title bar (and DS_SETFONT for the face)
        {"", 0x86C00048, ""},                      // an empty caption is still a caption
        {nullptr, 0x86800048, ""},                 // a border only
    };
    for (const Case& c : cases) {
        cDialogTemplate dialog;
        BuildTextEditTemplate(dialog, c.caption);
        const ParsedTemplate p = Parse(dialog);
        EXPECT_EQ(p.style, c.style) << c.shown;
        EXPECT_EQ(p.extendedStyle, 0x80u);  // a tool window
        EXPECT_EQ(p.width, 100);
        EXPECT_EQ(p.height, 100);
        EXPECT_EQ(p.caption, c.shown);
        EXPECT_EQ(p.pointSize, 8);
        EXPECT_EQ(p.face, "Tahoma");
        ASSERT_EQ(p.items.size(), 3u);
        const TemplateItem expected[] = {
            {0x50B11004, 0, 0, 0, 10, 10, kTextEditEdit, "Edit", ""},
            {0x50010000, 0, 0, 0, 10, 10, kTextEditOk, "Button", "OK"},
            {0x50010000, 0, 0, 0, 10, 10, kTextEditCancel, "Button", "Cancel"},
        };
        for (int i = 0; i < 3; ++i) {
            const TemplateItem& item = p.items[size_t(i)];
            EXPECT_EQ(item.style, expected[i].style) << i;
            EXPECT_EQ(item.extendedStyle, 0u);
            EXPECT_EQ(item.id, expected[i].id);
            EXPECT_EQ(item.className, expected[i].className);
            EXPECT_EQ(item.text, expected[i].text);
            EXPECT_EQ(item.width, 10);
            EXPECT_EQ(item.height, 10);
        }
    }
}

}  // namespace
}  // namespace tovan

// Byte layout of in-memory dialog templates.
#include "core/dialog_template.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovan {
namespace {

std::vector<uint8_t> Bytes(const cDialogTemplate& t) { return std::vector<uint8_t>(t.Data(), t.Data() + t.Size()); }

uint32_t U16(const cDialogTemplate& t, int offset) { return t.Data()[offset] | t.Data()[offset + 1] << 8; }
uint32_t U32(const cDialogTemplate& t, int offset) { return U16(t, offset) | U16(t, offset + 2) << 16; }

// The UTF-16 text starting at offset, up to its 0 unit, as narrow ASCII.
std::string TextAt(const cDialogTemplate& t, int offset, int* end = nullptr) {
    std::string text;
    while (offset + 1 < t.Size() && U16(t, offset) != 0) {
        text += char(U16(t, offset));
        offset += 2;
    }
    if (end)
        *end = offset + 2;
    return text;
}

TEST(DialogTemplate, HeaderWithoutFaceIs24Bytes) {
    cDialogTemplate t;
    t.Begin("", 0x86CF0808, 0x50000, 380, 260, nullptr);
    std::vector<uint8_t> expected = {
        0x08, 0x08, 0xCF, 0x86,  // style, DS_SETFONT not added
        0x00, 0x00, 0x05, 0x00,  // extended style
        0x00, 0x00,              // item count
        0x00, 0x00, 0x00, 0x00,  // x, y
        0x7C, 0x01, 0x04, 0x01,  // 380 x 260
        0x00, 0x00,              // menu
        0x00, 0x00,              // class
        0x00, 0x00,              // caption ""
    };
    EXPECT_EQ(Bytes(t), expected);
    EXPECT_EQ(t.ItemCount(), 0);
}

TEST(DialogTemplate, FaceAddsPointSizeFaceAndSetFont) {
    cDialogTemplate t;
    t.Begin("Log", 0x86CF0808, 0x50000, 380, 260, "Tahoma");
    EXPECT_EQ(U32(t, 0), 0x86CF0808u | 0x40u);
    int end = 0;
    EXPECT_EQ(TextAt(t, 22, &end), "Log");
    ASSERT_EQ(end, 30);
    EXPECT_EQ(U16(t, 30), 8u);
    std::vector<uint8_t> face(t.Data() + 32, t.Data() + t.Size());
    std::vector<uint8_t> tahoma = {'T', 0, 'a', 0, 'h', 0, 'o', 0, 'm', 0, 'a', 0, 0, 0};
    EXPECT_EQ(face, tahoma);  // seven units with the terminator, nothing after
}

TEST(DialogTemplate, ItemIsWrittenOnA4ByteBoundary) {
    cDialogTemplate t;
    t.Begin("a", 0x80000000, 0, 100, 50, nullptr);  // 22 + 4 = 26 bytes: 2 mod 4
    ASSERT_EQ(t.Size(), 26);
    t.AddItem("Button", "&Ok", 0x10010000, 1, 2, 83, 24, 102);
    std::vector<uint8_t> item(t.Data() + 26, t.Data() + t.Size());
    std::vector<uint8_t> expected = {
        0x00, 0x00,                                      // padding to offset 28
        0x00, 0x00, 0x01, 0x50,                          // style with WS_CHILD
        0x00, 0x00, 0x00, 0x00,                          // extended style
        0x01, 0x00, 0x02, 0x00, 0x53, 0x00, 0x18, 0x00,  // 1, 2, 83 x 24
        0x66, 0x00,                                      // id 102
        'B',  0,    'u',  0,    't',  0,    't',  0,    'o', 0, 'n',  0,
        0,    0,    '&',  0,    'O',  0,    'k',  0,    0,   0, 0x00, 0x00,  // no creation data
    };
    EXPECT_EQ(item, expected);
    EXPECT_EQ(t.ItemCount(), 1);
}

TEST(DialogTemplate, ItemsFollowOnBoundariesAndAreCounted) {
    cDialogTemplate t;
    t.Begin("ab", 0, 0, 10, 10, "Tahoma");
    std::vector<int> starts;
    const char* texts[] = {"", "x", "yz"};
    for (int i = 0; i < 3; ++i) {
        int before = t.Size();
        t.AddItem("Edit", texts[i], 0, 0, 0, 10, 10, 100 + i);
        int start = before + (before % 4);
        starts.push_back(start);
        EXPECT_EQ(start % 4, 0);
        EXPECT_EQ(U32(t, start), cDialogTemplate::kChild);
        EXPECT_EQ(U16(t, start + 16), uint32_t(100 + i));
        int end = 0;
        EXPECT_EQ(TextAt(t, start + 18, &end), "Edit");
        EXPECT_EQ(TextAt(t, end, &end), texts[i]);
        EXPECT_EQ(U16(t, end), 0u);
        EXPECT_EQ(end + 2, t.Size());
    }
    EXPECT_EQ(t.ItemCount(), 3);
    EXPECT_EQ(U16(t, 8), 3u);
}

TEST(DialogTemplate, NullTextsStillTakeTheirZeroUnit) {
    cDialogTemplate withNull, withEmpty;
    withNull.Begin(nullptr, 0, 0, 10, 10, nullptr);
    withNull.AddItem(nullptr, nullptr, 0, 0, 0, 1, 1, 7);
    withEmpty.Begin("", 0, 0, 10, 10, nullptr);
    withEmpty.AddItem("", "", 0, 0, 0, 1, 1, 7);
    EXPECT_EQ(Bytes(withNull), Bytes(withEmpty));
    EXPECT_EQ(withNull.Size(), 24 + 18 + 2 + 2 + 2);
}

TEST(DialogTemplate, BeginStartsOverAndLongTextsConvertWhole) {
    cDialogTemplate t;
    t.Begin("first", 0, 0, 10, 10, nullptr);
    t.AddItem("Edit", "", 0, 0, 0, 1, 1, 1);
    std::string caption(1000, 'q');
    t.Begin(caption.c_str(), 0, 0, 10, 10, nullptr);
    EXPECT_EQ(t.ItemCount(), 0);
    EXPECT_EQ(t.Size(), 22 + 2002);
    EXPECT_EQ(TextAt(t, 22), caption);
    t.Free();
    EXPECT_EQ(t.Size(), 0);
    EXPECT_EQ(t.Data(), nullptr);
}

}  // namespace
}  // namespace tovan

#include "core/str.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

TEST(StrPath, Parts) {
    EXPECT_STREQ(cStr("dir/a.tga").GetExtension().GetText(), "tga");
    EXPECT_STREQ(cStr("dir.x/file").GetExtension().GetText(), "");
    EXPECT_STREQ(cStr("x.tar.gz").GetExtension().GetText(), "gz");
    EXPECT_STREQ(cStr("noext").GetExtension().GetText(), "");

    EXPECT_STREQ(cStr("a\\b/c.txt").GetFileName().GetText(), "c.txt");
    EXPECT_STREQ(cStr("a/b/").GetFileName().GetText(), "b/");
    EXPECT_STREQ(cStr("plain").GetFileName().GetText(), "plain");
    EXPECT_STREQ(cStr().GetFileName().GetText(), "");
    EXPECT_STREQ(cStr("dir/x.tar.gz").GetFileNameNoExt().GetText(), "x");
    EXPECT_STREQ(cStr("x").GetFileNameNoExt().GetText(), "x");

    EXPECT_STREQ(cStr("a/b\\c.txt").GetFolder().GetText(), "a/b\\");
    EXPECT_STREQ(cStr("c.txt").GetFolder().GetText(), "");
    cStr s("C:\\data/models\\a.cm");
    s.RemoveFolder();
    EXPECT_STREQ(s.GetText(), "a.cm");
    s.RemoveFolder();
    EXPECT_STREQ(s.GetText(), "a.cm");
}

TEST(StrPath, SetExtension) {
    cStr a("a/b.tga");
    a.SetExtension("png");
    EXPECT_STREQ(a.GetText(), "a/b.png");
    cStr c("c");
    c.SetExtension(".dds");
    EXPECT_STREQ(c.GetText(), "c.dds");
    cStr d("dir.v2/file");
    d.SetExtension("x");
    EXPECT_STREQ(d.GetText(), "dir.v2/file.x");
    cStr e("x.tar.gz");
    e.SetExtension("bz2");
    EXPECT_STREQ(e.GetText(), "x.tar.bz2");
    cStr own("x.tga");  // an extension taken from the string itself
    own.SetExtension(own.GetText() + 2);
    EXPECT_STREQ(own.GetText(), "x.tga");
    own.SetExtension(own.GetText() + 1);
    EXPECT_STREQ(own.GetText(), "x.tga");
}

TEST(StrPath, AppendPath) {
    cStr p;
    p.AppendPath("/Data");
    EXPECT_STREQ(p.GetText(), "Data");
    p.AppendPath("models/cars");
    EXPECT_STREQ(p.GetText(), "Data\\models\\cars");
    p.AppendPath("\\a.cm");
    EXPECT_STREQ(p.GetText(), "Data\\models\\cars\\a.cm");
    p.AppendPath("");
    p.AppendPath(nullptr);
    EXPECT_STREQ(p.GetText(), "Data\\models\\cars\\a.cm");
    cStr q("C:/");
    q.AppendPath("x");
    EXPECT_STREQ(q.GetText(), "C:/x");
    cStr self("abcdefghijklmnopqrstuvwxyz0123456");  // 33 bytes: appending must grow
    self.AppendPath(self.GetText() + 26);
    EXPECT_STREQ(self.GetText(), "abcdefghijklmnopqrstuvwxyz0123456\\0123456");
}

TEST(StrPath, MakeRelative) {
    struct Case {
        const char* path;
        const char* base;
        const char* result;
    };
    const Case cases[] = {
        {"C:\\Data\\models\\a.cm", "c:\\data", "models\\a.cm"},
        {"C:\\Data\\models\\a.cm", "C:/Data", "models\\a.cm"},  // by components
        {"C:\\Other\\x", "C:\\Data\\y", "..\\..\\Other\\x"},
        {"C:\\Data\\x", "C:\\Data\\", "x"},
        {"C:\\Data", "C:\\Data", ""},
        // A base is a prefix only up to a component end.
        {"C:\\Database\\x", "C:\\Data", "..\\Database\\x"},
        {"D:\\x", "C:\\Data", "D:\\x"},  // other first component: unchanged
        {"rel\\x", "", "rel\\x"},
        {"rel\\x", nullptr, "rel\\x"},
        {"", "C:\\Data", ""},
    };
    for (const Case& c : cases) {
        cStr s(c.path);
        s.MakeRelative(c.base);
        EXPECT_STREQ(s.GetText(), c.result) << c.path << " against " << (c.base ? c.base : "null");
    }
}

TEST(StrUtf16, DecodesAndStopsAtTheFirstFault) {
    cList<uint16_t> out;
    EXPECT_TRUE(cStr("A\xc3\xa9\xe2\x82\xac").ToUtf16(out));  // A, e acute, euro
    ASSERT_EQ(out.Count(), 3);
    EXPECT_EQ(out[0], 0x41);
    EXPECT_EQ(out[1], 0xe9);
    EXPECT_EQ(out[2], 0x20ac);

    EXPECT_TRUE(cStr("\xf0\x9f\x98\x80").ToUtf16(out));
    ASSERT_EQ(out.Count(), 2);
    EXPECT_EQ(out[0], 0xd83d);
    EXPECT_EQ(out[1], 0xde00);
    EXPECT_TRUE(cStr("\xf4\x8f\xbf\xbf").ToUtf16(out));  // U+10FFFF
    ASSERT_EQ(out.Count(), 2);
    EXPECT_EQ(out[0], 0xdbff);
    EXPECT_EQ(out[1], 0xdfff);

    EXPECT_FALSE(cStr("a\xc3\x28z").ToUtf16(out));
    ASSERT_EQ(out.Count(), 1);  // nothing after the fault
    EXPECT_EQ(out[0], 'a');
    const char* invalid[] = {
        "\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xf5",
        "\x80",     "\xe0\x80\x80", "\xf0\x80\x80\x80", "\xe2\x82"};  // overlong, surrogate, too big, unfinished
    for (const char* text : invalid) {
        EXPECT_FALSE(cStr(text).ToUtf16(out));
        EXPECT_EQ(out.Count(), 0);
    }
    EXPECT_TRUE(cStr().ToUtf16(out));
    EXPECT_EQ(out.Count(), 0);
}

}  // namespace
}  // namespace tovan

// Names to full paths: URLs, the documents folder, absolute and relative names.
#include "tests/io/io_fixture.h"

namespace tovan {
namespace {

using test::IoTest;
using test::Str;

std::string Resolve(const char* name) { return Str(cIO::ResolvePath(name)); }

TEST_F(IoTest, ResolvePathJoinsRelativeNamesToTheBaseFolder) {
    EXPECT_EQ(Resolve(""), Base());
    EXPECT_EQ(Resolve(nullptr), Base());
    EXPECT_EQ(Resolve("\\a/b"), InBase("a\\b"));            // one leading separator is still relative
    EXPECT_EQ(Resolve("./x/../y"), InBase(".\\x\\..\\y"));  // not normalised
    EXPECT_EQ(Resolve("x//y"), InBase("x\\\\y"));
}

TEST_F(IoTest, ResolvePathKeepsAbsoluteNamesAndUrls) {
    EXPECT_EQ(Resolve("c:/x"), "c:\\x");
    EXPECT_EQ(Resolve("//srv/s"), "\\\\srv\\s");
    EXPECT_EQ(Resolve("\\/srv"), "\\\\srv");
    EXPECT_EQ(Resolve("HTTP://x/y"), "HTTP://x/y");
    EXPECT_EQ(Resolve("ftp://h/a\\b"), "ftp://h/a\\b");
}

TEST_F(IoTest, ResolvePathPutsTildeNamesInTheDocumentsFolder) {
    std::string documents = Str(cIO::GetDocumentsFolder());
    ASSERT_FALSE(documents.empty());
    EXPECT_EQ(Resolve("~"), documents);
    EXPECT_EQ(Resolve("~/a/b.txt"), documents + "\\a\\b.txt");
    EXPECT_EQ(Resolve("~a"), documents + "\\a");
}

TEST(IoNames, UrlsNeedTheWholePrefixInAnyCase) {
    EXPECT_TRUE(cIO::IsUrl("http://"));
    EXPECT_TRUE(cIO::IsUrl("HtTpS://host"));
    EXPECT_TRUE(cIO::IsUrl("FTP://host"));
    EXPECT_FALSE(cIO::IsUrl("http:/"));
    EXPECT_FALSE(cIO::IsUrl("https:/x"));
    EXPECT_FALSE(cIO::IsUrl("file://x"));
    EXPECT_FALSE(cIO::IsUrl(" http://x"));
    EXPECT_FALSE(cIO::IsUrl(nullptr));
}

TEST(IoNames, AbsoluteMeansADriveOrTwoSeparators) {
    for (const char* path : {"c:", "Z:x", "C:\\", "\\\\", "//", "/\\s"})
        EXPECT_TRUE(cIO::IsAbsolute(path)) << path;
    for (const char* path : {"", "c", "\\a", "/a", "1:\\x", "::", "http://x", "ab:"})
        EXPECT_FALSE(cIO::IsAbsolute(path)) << path;
    EXPECT_FALSE(cIO::IsAbsolute(nullptr));
}

}  // namespace
}  // namespace tovan

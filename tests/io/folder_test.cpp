// Folder chains, listings, deletion and removal.
#include "core/os.h"
#include "tests/io/io_fixture.h"

#include <algorithm>

namespace tovan {
namespace {

using test::IoTest;
using test::Str;
using Names = std::vector<std::string>;

Names Sorted(const cList<cStr>& list) {
    Names names = test::Strs(list);
    std::sort(names.begin(), names.end());
    return names;
}

std::string CurrentDirectory() {
    char buffer[1024];
    os::CurrentDirectory(buffer, sizeof buffer);
    return buffer;
}

bool IsFolder(const std::string& path) {
    uint32_t attributes = os::FileAttributes(path.c_str());
    return attributes != os::kAttrInvalid && (attributes & os::kAttrDirectory);
}

class IoFolderTest : public IoTest {
protected:
    void SetUp() override {
        IoTest::SetUp();
        for (const char* name : {"l\\b.txt", "l\\A.png", "l\\z.JPG", "l\\sub\\c.jpg", "l\\sub\\deep\\d.PNG",
                                 "l\\sub2\\e.png", "l\\sub2\\f.jpeg"})
            scratch.Write(name, name);
        m_List = scratch / "l";
    }
    std::string m_List;
};

TEST_F(IoTest, CreateFoldersMakesTheChainUpToAFileName) {
    ASSERT_TRUE(cIO::CreateFolders((scratch / "a\\b\\c.txt").c_str()));
    EXPECT_TRUE(IsFolder(scratch / "a\\b"));
    EXPECT_FALSE(scratch.Exists("a\\b\\c.txt"));
    ASSERT_TRUE(cIO::CreateFolders((scratch / "a/b/c").c_str()));  // no extension: c is a folder
    EXPECT_TRUE(IsFolder(scratch / "a\\b\\c"));
    EXPECT_TRUE(cIO::CreateFolders((scratch / "a\\\\b\\").c_str()));  // all there already
}

TEST_F(IoTest, CreateFoldersStopsAtAFileInTheWay) {
    scratch.Write("f", "x");
    EXPECT_FALSE(cIO::CreateFolders((scratch / "f\\g").c_str()));
    EXPECT_FALSE(cIO::CreateFolders((scratch / "f").c_str()));  // the last part is a file, not a folder
    EXPECT_FALSE(cIO::CreateFolders((scratch / "f\\g\\h.txt").c_str()));
    EXPECT_EQ(scratch.Read("f"), "x");
}

TEST_F(IoFolderTest, ListingsKeepTheCallersFormOfTheFolder) {
    std::string forward = m_List;
    std::replace(forward.begin(), forward.end(), '\\', '/');
    cList<cStr> out;
    out.PushBack(cStr("stale"));
    cIO::ListFiles(forward.c_str(), out);
    EXPECT_EQ(Sorted(out), (Names{forward + "\\A.png", forward + "\\b.txt", forward + "\\z.JPG"}));
    cIO::ListFolders(m_List.c_str(), out);
    EXPECT_EQ(Sorted(out), (Names{m_List + "\\sub", m_List + "\\sub2"}));
    cIO::ListFolders((m_List + "\\sub\\deep").c_str(), out);
    EXPECT_EQ(out.Count(), 0);  // "." and ".." are not folders of their own
}

TEST_F(IoFolderTest, RecursiveListingIsPreOrder) {
    cList<cStr> out;
    cIO::ListFilesRecursive(m_List.c_str(), out);
    ASSERT_EQ(out.Count(), 7);
    auto index = [&](const std::string& name) {
        for (int i = 0; i < out.Count(); ++i)
            if (Str(out[i]) == m_List + "\\" + name)
                return i;
        return -1;
    };
    for (const char* own : {"A.png", "b.txt", "z.JPG"})
        EXPECT_LT(index(own), index("sub\\c.jpg")) << own;
    EXPECT_LT(index("sub\\c.jpg"), index("sub\\deep\\d.PNG"));
    EXPECT_GE(index("sub2\\e.png"), 0);
}

TEST_F(IoFolderTest, ExtensionListsMatchWithoutRegardToCase) {
    cList<cStr> out;
    cIO::ListFilesByExtension(m_List.c_str(), out, "png, JPG");
    EXPECT_EQ(Sorted(out), (Names{m_List + "\\A.png", m_List + "\\sub2\\e.png", m_List + "\\sub\\c.jpg",
                                  m_List + "\\sub\\deep\\d.PNG", m_List + "\\z.JPG"}));
    cIO::ListFilesByExtension(m_List.c_str(), out, " ;jpeg\t");
    EXPECT_EQ(Sorted(out), (Names{m_List + "\\sub2\\f.jpeg"}));
    cIO::ListFilesByExtension(m_List.c_str(), out, ",;");
    EXPECT_EQ(out.Count(), 0);
    cIO::ListFilesByExtension(m_List.c_str(), out, nullptr);
    EXPECT_EQ(out.Count(), 0);
}

TEST_F(IoFolderTest, ListingLeavesTheCurrentDirectoryAlone) {
    std::string before = CurrentDirectory();
    cList<cStr> out;
    cIO::ListFilesRecursive(m_List.c_str(), out);
    EXPECT_EQ(CurrentDirectory(), before);
    out.PushBack(cStr("stale"));
    cIO::ListFiles((scratch / "missing").c_str(), out);
    EXPECT_EQ(out.Count(), 0);
    EXPECT_EQ(CurrentDirectory(), before);
}

TEST_F(IoFolderTest, RemoveFolderTakesTheWholeTreeReadOnlyFilesIncluded) {
    ASSERT_TRUE(os::FileSetAttributes((m_List + "\\sub\\c.jpg").c_str(), os::kAttrReadOnly));
    EXPECT_TRUE(cIO::RemoveFolder(m_List.c_str()));
    EXPECT_FALSE(scratch.Exists("l"));
    EXPECT_FALSE(cIO::RemoveFolder(m_List.c_str()));
}

TEST_F(IoTest, DeleteFileClearsReadOnlyFirst) {
    scratch.Write("ro.txt", "x");
    ASSERT_TRUE(os::FileSetAttributes((scratch / "ro.txt").c_str(), os::kAttrReadOnly));
    EXPECT_TRUE(cIO::DeleteFile((scratch / "ro.txt").c_str()));
    EXPECT_FALSE(scratch.Exists("ro.txt"));
    EXPECT_FALSE(cIO::DeleteFile((scratch / "ro.txt").c_str()));
}

}  // namespace
}  // namespace tovan

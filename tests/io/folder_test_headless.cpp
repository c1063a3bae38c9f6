// Folder chores on the virtual drive, whose listings come sorted by name.
#include "core/os_headless.h"
#include "tests/io/io_fixture.h"
#include "tests/support/log_capture.h"

#include <filesystem>

namespace tovan {
namespace {

using test::IoTest;
using Names = std::vector<std::string>;

Names Calls(const char* prefix) {
    Names found;
    for (const std::string& call : os::headless::TakeCalls())
        if (call.rfind(prefix, 0) == 0)
            found.push_back(call);
    return found;
}

TEST_F(IoTest, CreateFoldersOfARelativeFileNameMakesOnlyItsFolders) {
    cIO::Init();
    os::headless::TakeCalls();
    ASSERT_TRUE(cIO::CreateFolders("a\\b\\c.txt"));
    EXPECT_EQ(Calls("FolderCreate"),
              (Names{"FolderCreate C:\\app", "FolderCreate C:\\app\\a", "FolderCreate C:\\app\\a\\b"}));
    EXPECT_TRUE(std::filesystem::is_directory(Host("C:\\app\\a\\b")));
    EXPECT_FALSE(std::filesystem::exists(Host("C:\\app\\a\\b\\c.txt")));
}

TEST_F(IoTest, RecursiveListingOrderOnTheVirtualDrive) {
    for (const char* name : {"l\\b.txt", "l\\A.png", "l\\sub\\c.jpg", "l\\sub\\deep\\d.PNG", "l\\sub2\\e.png"})
        scratch.Write(name, "x");
    cList<cStr> out;
    cIO::ListFilesRecursive("C:/scratch/l", out);
    EXPECT_EQ(test::Strs(out), (Names{"C:/scratch/l\\A.png", "C:/scratch/l\\b.txt", "C:/scratch/l\\sub\\c.jpg",
                                      "C:/scratch/l\\sub\\deep\\d.PNG", "C:/scratch/l\\sub2\\e.png"}));
}

TEST_F(IoTest, AnEmptyExtensionListListsNothing) {
    scratch.Write("l\\a.png", "x");
    os::headless::TakeCalls();
    cList<cStr> out;
    cIO::ListFilesByExtension((scratch / "l").c_str(), out, " ,;\t");
    EXPECT_EQ(out.Count(), 0);
    EXPECT_EQ(Calls("FindFirst"), Names{});
}

// Links and junctions are listed where they stand but not followed: a link back
// up the tree would make the listing endless, and a link elsewhere is not the tree.
TEST_F(IoTest, RecursiveListingDoesNotFollowLinks) {
    scratch.Write("outside\\far.txt", "x");
    scratch.Write("tree\\own.txt", "x");
    scratch.Write("tree\\sub\\deep.txt", "x");
    std::filesystem::create_directory_symlink(Host(scratch / "tree"), Host(scratch / "tree\\sub\\up"));
    std::filesystem::create_directory_symlink(Host(scratch / "outside"), Host(scratch / "tree\\away"));
    std::filesystem::create_symlink(Host(scratch / "outside\\far.txt"), Host(scratch / "tree\\far-link.txt"));
    const std::string tree = scratch / "tree";
    cList<cStr> out;
    cIO::ListFilesRecursive(tree.c_str(), out);
    EXPECT_EQ(test::Strs(out), (Names{tree + "\\far-link.txt", tree + "\\own.txt", tree + "\\sub\\deep.txt"}));
    cIO::ListFolders(tree.c_str(), out);
    EXPECT_EQ(test::Strs(out), (Names{tree + "\\away", tree + "\\sub"}));
    cIO::ListFilesByExtension(tree.c_str(), out, "txt");
    EXPECT_EQ(out.Count(), 3);
    EXPECT_TRUE(os::IsLink((tree + "\\away").c_str()));
    EXPECT_TRUE(os::IsLink((tree + "\\sub\\up\\").c_str()));  // the link, not what it opens
    EXPECT_TRUE(os::IsLink((tree + "\\far-link.txt").c_str()));
    EXPECT_FALSE(os::IsLink((tree + "\\sub").c_str()));
    EXPECT_FALSE(os::IsLink((tree + "\\own.txt").c_str()));
    EXPECT_FALSE(os::IsLink((tree + "\\missing").c_str()));
}

// A link inside the tree is removed itself: what it points to stays, and a link
// back up the tree cannot make the removal loop.
TEST_F(IoTest, RemoveFolderNeverFollowsLinks) {
    scratch.Write("outside\\keep.txt", "keep");
    scratch.Write("tree\\own.txt", "x");
    std::filesystem::create_directory_symlink(Host(scratch / "outside"), Host(scratch / "tree\\link"));
    std::filesystem::create_directory_symlink(Host(scratch / "tree"), Host(scratch / "tree\\loop"));
    std::filesystem::create_symlink(Host(scratch / "outside\\keep.txt"), Host(scratch / "tree\\file-link"));
    EXPECT_TRUE(cIO::RemoveFolder((scratch / "tree").c_str()));
    EXPECT_FALSE(scratch.Exists("tree"));
    EXPECT_EQ(scratch.Read("outside\\keep.txt"), "keep");
    // A link given as the folder itself goes the same way.
    std::filesystem::create_directory_symlink(Host(scratch / "outside"), Host(scratch / "alias"));
    EXPECT_TRUE(cIO::RemoveFolder((scratch / "alias").c_str()));
    EXPECT_FALSE(std::filesystem::is_symlink(Host(scratch / "alias")));
    EXPECT_EQ(scratch.Read("outside\\keep.txt"), "keep");
}

// An empty name would resolve to the base folder; the data folder must survive it.
TEST_F(IoTest, RemoveFolderRefusesAnEmptyName) {
    cIO::Init();
    WriteHost(InBase("keep.txt"), "keep");
    test::LogCapture log;
    EXPECT_FALSE(cIO::RemoveFolder(""));
    EXPECT_FALSE(cIO::RemoveFolder(nullptr));
    EXPECT_EQ(ReadHost(InBase("keep.txt")), "keep");
    EXPECT_EQ(log.Warnings(), std::vector<std::string>(2, "Can't remove folder \"\": it is the data folder"));
}

}  // namespace
}  // namespace tovan

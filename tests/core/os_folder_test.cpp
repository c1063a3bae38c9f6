// Folder calls of the seam, the same on the virtual drive and on Windows.
#include "core/os.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tovan {
namespace {

using test::ScratchTest;

std::vector<std::string> List(const std::string& pattern, std::vector<uint32_t>* attributes = nullptr) {
    std::vector<std::pair<std::string, uint32_t>> entries;
    os::FindEntry entry;
    void* find = os::FindFirst(pattern.c_str(), &entry);
    if (find) {
        do
            entries.emplace_back(entry.name, entry.attributes);
        while (os::FindNext(find, &entry));
        os::FindClose(find);
    }
    std::sort(entries.begin(), entries.end());  // Windows promises no order
    std::vector<std::string> names;
    for (auto& e : entries) {
        names.push_back(e.first);
        if (attributes)
            attributes->push_back(e.second);
    }
    return names;
}

TEST_F(ScratchTest, FindListsEntriesWithTheirAttributes) {
    scratch.Write("d\\b.txt", "1");
    scratch.Write("d\\a\\x.txt", "2");
    std::vector<uint32_t> attributes;
    std::vector<std::string> names = List(scratch / "d\\*.*", &attributes);
    ASSERT_EQ(names, (std::vector<std::string>{".", "..", "a", "b.txt"}));
    EXPECT_TRUE(attributes[0] & os::kAttrDirectory);
    EXPECT_TRUE(attributes[2] & os::kAttrDirectory);
    EXPECT_FALSE(attributes[3] & os::kAttrDirectory);
    EXPECT_EQ(List(scratch / "missing\\*.*"), std::vector<std::string>{});
    for (const char* pattern : {"d\\B*", "d\\?.t*t", "d\\b.txt*"})
        EXPECT_EQ(List(scratch / pattern), std::vector<std::string>{"b.txt"}) << pattern;
    EXPECT_EQ(List(scratch / "d\\b?"), std::vector<std::string>{});
}

TEST_F(ScratchTest, FolderCreateTellsCreatedFromTaken) {
    scratch.Write("file", "x");
    EXPECT_EQ(os::FolderCreate((scratch / "new").c_str()), os::FolderCreated::Created);
    EXPECT_EQ(os::FolderCreate((scratch / "new").c_str()), os::FolderCreated::Exists);
    EXPECT_EQ(os::FolderCreate((scratch / "file").c_str()), os::FolderCreated::Exists);
    EXPECT_EQ(os::FolderCreate((scratch / "no\\parent").c_str()), os::FolderCreated::Failed);
    EXPECT_TRUE(os::FileAttributes((scratch / "new").c_str()) & os::kAttrDirectory);
}

TEST_F(ScratchTest, FolderRemoveTakesOnlyEmptyFolders) {
    scratch.Write("full\\f.txt", "x");
    EXPECT_FALSE(os::FolderRemove((scratch / "full").c_str()));
    EXPECT_FALSE(os::FolderRemove((scratch / "full\\f.txt").c_str()));
    EXPECT_TRUE(os::FileDelete((scratch / "full\\f.txt").c_str()));
    EXPECT_TRUE(os::FolderRemove((scratch / "full").c_str()));
    EXPECT_FALSE(scratch.Exists("full"));
}

TEST_F(ScratchTest, ReadOnlyFilesRefuseDeletionUntilMadeNormal) {
    scratch.Write("ro.txt", "x");
    std::string path = scratch / "ro.txt";
    ASSERT_TRUE(os::FileSetAttributes(path.c_str(), os::kAttrReadOnly));
    EXPECT_TRUE(os::FileAttributes(path.c_str()) & os::kAttrReadOnly);
    EXPECT_FALSE(os::FileDelete(path.c_str()));
    ASSERT_TRUE(os::FileSetAttributes(path.c_str(), os::kAttrNormal));
    EXPECT_TRUE(os::FileDelete(path.c_str()));
    EXPECT_FALSE(os::FileSetAttributes(path.c_str(), os::kAttrNormal));
}

// Plain folders and files are not links, however they are written, and resolve
// to themselves; links are tested natively (wine cannot make them).
TEST_F(ScratchTest, PlainEntriesAreNotLinks) {
    scratch.Write("d\\f.txt", "x");
    for (const char* name : {"d", "d\\", "d/", "d\\f.txt", "missing", "d\\*", "d\\f.tx?"}) {
        const std::string path = scratch / name;
        EXPECT_FALSE(os::IsLink(path.c_str())) << name;
        char resolved[300];
        EXPECT_EQ(os::ResolveLink(path.c_str(), resolved, sizeof resolved), int(path.size())) << name;
        EXPECT_EQ(resolved, path);
    }
    EXPECT_FALSE(os::IsLink("C:\\"));
    EXPECT_FALSE(os::IsLink(""));
    EXPECT_FALSE(os::IsLink(nullptr));
    char none[8];
    EXPECT_EQ(os::ResolveLink(nullptr, none, sizeof none), 0);
}

TEST(OsFolder, DocumentsFolderIsAnAbsolutePath) {
    char buffer[300];
    int n = os::DocumentsFolder(buffer, sizeof buffer);
    ASSERT_GT(n, 2);
    EXPECT_EQ(buffer[1], ':');
    EXPECT_EQ(int(std::string(buffer).size()), n);
}

}  // namespace
}  // namespace tovan

#include "core/os.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace tovan {
namespace {

using test::ScratchTest;

std::string ReadAll(const std::string& path) {
    void* f = os::FileOpen(path.c_str(), os::FileMode::Read);
    if (!f)
        return "<missing>";
    int64_t size = -1;
    EXPECT_TRUE(os::FileSize(f, &size));
    std::string bytes(size_t(size), '\0');
    uint32_t got = 0;
    EXPECT_TRUE(os::FileRead(f, bytes.data(), uint32_t(size), &got));
    EXPECT_EQ(int64_t(got), size);
    os::FileClose(f);
    return bytes;
}

void WriteAll(const std::string& path, const std::string& bytes, os::FileMode mode) {
    void* f = os::FileOpen(path.c_str(), mode);
    ASSERT_NE(f, nullptr) << path;
    uint32_t put = 0;
    EXPECT_TRUE(os::FileWrite(f, bytes.data(), uint32_t(bytes.size()), &put));
    EXPECT_EQ(put, bytes.size());
    os::FileClose(f);
}

TEST_F(ScratchTest, FilesAreCreatedTruncatedAppendedAndDeleted) {
    std::string path = scratch / "a.bin";
    WriteAll(path, std::string("one\0two", 7), os::FileMode::Create);
    EXPECT_EQ(scratch.Read("a.bin"), std::string("one\0two", 7));
    WriteAll(path, "x", os::FileMode::Create);
    EXPECT_EQ(ReadAll(path), "x");
    WriteAll(path, "yz", os::FileMode::Append);
    WriteAll(scratch / "new.txt", "fresh", os::FileMode::Append);
    EXPECT_EQ(ReadAll(path), "xyz");
    EXPECT_EQ(ReadAll(scratch / "new.txt"), "fresh");
    EXPECT_TRUE(os::FileDelete(path.c_str()));
    EXPECT_FALSE(scratch.Exists("a.bin"));
    EXPECT_FALSE(os::FileDelete(path.c_str()));
}

TEST_F(ScratchTest, MissingFilesAndFoldersAreNotOpened) {
    EXPECT_EQ(os::FileOpen((scratch / "none.txt").c_str(), os::FileMode::Read), nullptr);
    EXPECT_EQ(os::FileOpen((scratch / "no\\such\\dir.txt").c_str(), os::FileMode::Create), nullptr);
    EXPECT_EQ(os::FileOpen(scratch.Path().c_str(), os::FileMode::Read), nullptr);
    EXPECT_EQ(os::FileAttributes((scratch / "none.txt").c_str()), os::kAttrInvalid);
}

TEST_F(ScratchTest, AttributesTellFoldersFromFiles) {
    scratch.Write("sub\\f.txt", "1");
    uint32_t folder = os::FileAttributes((scratch / "sub").c_str());
    uint32_t file = os::FileAttributes((scratch / "sub\\f.txt").c_str());
    ASSERT_NE(folder, os::kAttrInvalid);
    ASSERT_NE(file, os::kAttrInvalid);
    EXPECT_TRUE(folder & os::kAttrDirectory);
    EXPECT_FALSE(file & os::kAttrDirectory);
    // Forward slashes and any letter case name the same file, as on Windows.
    EXPECT_EQ(ReadAll(scratch / "SUB/F.TXT"), "1");
}

TEST(OsModule, ModulePathIsAWindowsPathOfAnExe) {
    char buffer[512];
    int n = os::ModuleFileName(buffer, sizeof buffer);
    ASSERT_GT(n, 3);
    std::string path(buffer);
    EXPECT_EQ(path[1], ':');
    EXPECT_EQ(path.substr(path.size() - 4), ".exe");
    char tiny[4];
    EXPECT_EQ(os::ModuleFileName(tiny, sizeof tiny) > 0, true);
    EXPECT_EQ(strlen(tiny), 3u);  // truncated, still terminated
}

TEST(OsThread, SleepAndThreadRun) {
    static int value;
    value = 0;
    void* t = os::ThreadStart([](void* p) { *static_cast<int*>(p) = 42; }, &value);
    ASSERT_NE(t, nullptr);
    os::ThreadWait(t);
    os::ThreadClose(t);
    EXPECT_EQ(value, 42);
    os::Sleep(1);
    EXPECT_NE(os::CurrentThreadId(), 0u);
}

TEST(OsProcess, ThisProcessIsAliveAndIdZeroIsNone) {
    EXPECT_TRUE(os::ProcessAlive(os::CurrentProcessId()));
    EXPECT_FALSE(os::ProcessAlive(0));
}

}  // namespace
}  // namespace tovan

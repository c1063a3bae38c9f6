// Whole-file reads, writes, appends and saves, on disk and through the sources.
#include "tests/io/io_fixture.h"
#include "tests/support/log_capture.h"

#include <algorithm>
#include <filesystem>

namespace tovan {
namespace {

using test::Bytes;
using test::IoTest;
using test::Str;

bool Write(const std::string& path, const std::string& bytes, bool append = false) {
    return cIO::WriteFile(path.c_str(), reinterpret_cast<const uint8_t*>(bytes.data()), int32_t(bytes.size()), append);
}

bool Save(const std::string& name, const std::string& bytes, bool append, bool report) {
    return cIO::SaveFile(name.c_str(), reinterpret_cast<const uint8_t*>(bytes.data()), int32_t(bytes.size()), append,
                         report);
}

void Prefill(cStream& stream) {
    stream.m_Name.SetText("old");
    stream.WriteU8(7);
}

TEST_F(IoTest, WrittenBytesReadBackExactly) {
    const std::string bytes("a\0b\r\n\xff", 6);
    ASSERT_TRUE(Write(scratch / "f.bin", bytes));
    EXPECT_EQ(scratch.Read("f.bin"), bytes);
    cStream stream;
    Prefill(stream);
    ASSERT_TRUE(cIO::ReadFile((scratch / "f.bin").c_str(), stream));
    EXPECT_EQ(Bytes(stream), bytes);
    EXPECT_EQ(stream.m_Position, 0);
    EXPECT_EQ(Str(stream.m_Name), scratch / "f.bin");
    // Forward slashes are turned round, and the stream is named as opened.
    std::string forward = scratch / "f.bin";
    std::replace(forward.begin(), forward.end(), '\\', '/');
    ASSERT_TRUE(cIO::ReadDiskFile(forward.c_str(), stream));
    EXPECT_EQ(Str(stream.m_Name), scratch / "f.bin");
}

TEST_F(IoTest, AppendCreatesThenExtendsAndPlainWriteTruncates) {
    std::string path = scratch / "log.txt";
    ASSERT_TRUE(Write(path, "one", true));
    ASSERT_TRUE(Write(path, "two", true));
    EXPECT_EQ(scratch.Read("log.txt"), "onetwo");
    ASSERT_TRUE(Write(path, "x"));
    EXPECT_EQ(scratch.Read("log.txt"), "x");
    ASSERT_TRUE(Write(path, ""));
    EXPECT_TRUE(scratch.Exists("log.txt"));
    EXPECT_EQ(scratch.Read("log.txt"), "");
    cStream stream;
    ASSERT_TRUE(cIO::ReadFile(path.c_str(), stream));  // an empty file reads fine
    EXPECT_EQ(stream.Count(), 0);
}

TEST_F(IoTest, WriteFileRefusesBadArgumentsWithoutTouchingTheDisk) {
    const uint8_t byte = 1;
    EXPECT_FALSE(cIO::WriteFile(nullptr, &byte, 1, false));
    EXPECT_FALSE(cIO::WriteFile((scratch / "n.txt").c_str(), nullptr, 0, false));
    EXPECT_FALSE(cIO::WriteFile((scratch / "n.txt").c_str(), &byte, -1, false));
    EXPECT_FALSE(cIO::WriteFile("relative.txt", &byte, 1, false));
    EXPECT_FALSE(cIO::WriteFile((scratch / "dir\\").c_str(), &byte, 1, false));
    EXPECT_FALSE(cIO::WriteFile((scratch / "dir/").c_str(), &byte, 1, true));
    EXPECT_FALSE(scratch.Exists("n.txt"));
    EXPECT_FALSE(scratch.Exists("dir"));
    EXPECT_FALSE(std::filesystem::exists(Host(InBase("relative.txt"))));
    // Folders are not made here.
    EXPECT_FALSE(Write(scratch / "no\\such\\f.txt", "x"));
}

TEST_F(IoTest, FailedReadsLeaveTheStreamAsDescribed) {
    cStream stream;
    Prefill(stream);
    EXPECT_FALSE(cIO::ReadDiskFile((scratch / "none").c_str(), stream));
    EXPECT_EQ(Str(stream.m_Name), "old");  // all or nothing
    EXPECT_EQ(stream.Count(), 1);
    EXPECT_FALSE(cIO::ReadDiskFile(scratch.Path().c_str(), stream));  // a folder
    EXPECT_EQ(stream.Count(), 1);
    EXPECT_FALSE(cIO::ReadFile((scratch / "none").c_str(), stream));
    EXPECT_EQ(stream.Count(), 0);  // ReadFile empties first
    EXPECT_EQ(Str(stream.m_Name), "");
    EXPECT_FALSE(cIO::ReadFile("http://host/x.txt", stream));
}

TEST_F(IoTest, FilesOf2GiBAreRefusedNotReadShort) {
    scratch.Write("big.bin", "");
    std::error_code error;
    std::filesystem::resize_file(Host(scratch / "big.bin"), uint64_t(1) << 31, error);  // sparse
    if (error)
        GTEST_SKIP() << "no sparse file here: " << error.message();
    cStream stream;
    Prefill(stream);
    EXPECT_FALSE(cIO::ReadDiskFile((scratch / "big.bin").c_str(), stream));
    EXPECT_EQ(stream.Count(), 1);
    EXPECT_EQ(Str(stream.m_Name), "old");
}

TEST_F(IoTest, RelativeNamesGoThroughTheFolderSource) {
    std::string name = Relative() + "/sub/r.txt";
    ASSERT_TRUE(cIO::CreateFolders(name.c_str()));
    test::LogCapture log;
    ASSERT_TRUE(Save(name, "abc", false, true));
    ASSERT_TRUE(Save(name, "de", true, true));
    EXPECT_EQ(ReadHost(InBase(Relative() + "\\sub\\r.txt")), "abcde");
    cStream stream;
    ASSERT_TRUE(cIO::ReadFromSources(name.c_str(), stream));
    EXPECT_EQ(Bytes(stream), "abcde");
    EXPECT_EQ(Str(stream.m_Name), InBase(Relative() + "\\sub\\r.txt"));
    ASSERT_TRUE(cIO::ReadFile(name.c_str(), stream));
    EXPECT_EQ(Bytes(stream), "abcde");
    cStream other;
    ASSERT_TRUE((*cIO::GetBaseFolder() == cIO::ResolvePath("")));
    EXPECT_FALSE(cIO::ReadFromSources((Relative() + "/none.txt").c_str(), other));
    EXPECT_TRUE(log.Logs().empty());
}

TEST_F(IoTest, SaveFileReportsFailuresOnlyWhenAsked) {
    test::LogCapture log;
    EXPECT_TRUE(Save(scratch / "s.txt", "x", false, true));
    EXPECT_EQ(scratch.Read("s.txt"), "x");
    EXPECT_FALSE(Save(scratch / "no\\s.txt", "x", false, false));
    EXPECT_TRUE(log.Logs().empty());
    // A name full of format directives is printed as it stands.
    std::string odd = scratch / "no\\%s%d%n.txt";
    EXPECT_FALSE(Save(odd, "x", false, true));
    EXPECT_FALSE(Save(Relative() + "/missing/x.txt", "x", true, true));
    EXPECT_FALSE(Save("http://host/x.txt", "x", false, true));  // a URL goes to the sources, which refuse it
    EXPECT_EQ(log.Warnings(), (std::vector<std::string>{"Can't save file \"" + odd + "\"",
                                                        "Can't save file \"" + Relative() + "/missing/x.txt\"",
                                                        "Can't save file \"http://host/x.txt\""}));
    EXPECT_FALSE(cIO::SaveFile(nullptr, reinterpret_cast<const uint8_t*>("x"), 1, false, true));
    EXPECT_FALSE(cIO::SaveFile("x.txt", nullptr, 0, false, true));
    EXPECT_EQ(log.Warnings().size(), 3u);
}

// With a write folder every write below the base folder lands in its twin, and
// reads prefer the twin. The setting is process-wide, so the test puts it back.
TEST_F(IoTest, AWriteFolderTakesTheWritesOfTheBaseFolder) {
    struct Restore {
        ~Restore() { cIO::SetWriteFolder(""); }
    } restore;
    std::string twinRoot = scratch / "twin";
    ASSERT_TRUE(cIO::CreateFolders((twinRoot + "\\" + Relative() + "\\").c_str()));
    ASSERT_TRUE(cIO::CreateFolders((Relative() + "\\").c_str()));
    WriteHost(InBase(Relative() + "\\both.txt"), "base");
    WriteHost(InBase(Relative() + "\\only-base.txt"), "base");
    cIO::SetWriteFolder(twinRoot.c_str());

    cStr path = cIO::ResolvePath((Relative() + "/x.txt").c_str());
    ASSERT_TRUE(cIO::RedirectToWriteFolder(path));
    EXPECT_EQ(Str(path), twinRoot + "\\" + Relative() + "\\x.txt");
    EXPECT_FALSE(cIO::RedirectToWriteFolder(path));  // already in the twin
    cStr outside((scratch / "x").c_str());
    EXPECT_FALSE(cIO::RedirectToWriteFolder(outside));
    EXPECT_EQ(Str(outside), scratch / "x");

    ASSERT_TRUE(Save(Relative() + "/both.txt", "twin", false, false));
    ASSERT_TRUE(Save(Relative() + "/only-twin.txt", "twin", false, false));
    EXPECT_EQ(ReadHost(twinRoot + "\\" + Relative() + "\\both.txt"), "twin");
    EXPECT_EQ(ReadHost(InBase(Relative() + "\\both.txt")), "base");
    cStream stream;
    ASSERT_TRUE(cIO::ReadFile((Relative() + "/both.txt").c_str(), stream));
    EXPECT_EQ(Bytes(stream), "twin");
    ASSERT_TRUE(cIO::ReadFile((Relative() + "/only-base.txt").c_str(), stream));
    EXPECT_EQ(Bytes(stream), "base");

    cList<cStr> files;
    cIO::ListFiles(Relative().c_str(), files);
    std::vector<std::string> names = test::Strs(files);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{Relative() + "\\both.txt", Relative() + "\\only-base.txt",
                                               Relative() + "\\only-twin.txt"}));

    EXPECT_TRUE(cIO::DeleteFile((Relative() + "/both.txt").c_str()));
    EXPECT_FALSE(std::filesystem::exists(Host(twinRoot + "\\" + Relative() + "\\both.txt")));
    EXPECT_FALSE(std::filesystem::exists(Host(InBase(Relative() + "\\both.txt"))));
}

}  // namespace
}  // namespace tovan

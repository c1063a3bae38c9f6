// Whole-file saves replace the old file only once every byte is written, and
// leave nothing but the target behind.
#include "core/os.h"
#include "io/whole_save.h"
#include "tests/io/io_fixture.h"
#include "tests/support/log_capture.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace tovan {
namespace {

using test::IoTest;
using test::Str;
using Names = std::vector<std::string>;

bool Write(const std::string& path, const std::string& bytes) {
    return cIO::WriteFile(path.c_str(), reinterpret_cast<const uint8_t*>(bytes.data()), int32_t(bytes.size()), false);
}

Names Files(const std::string& folder) {
    cList<cStr> files;
    cIO::ListFiles(folder.c_str(), files);
    Names names;
    for (const cStr& file : files)
        names.push_back(file.GetText() + folder.size());
    std::sort(names.begin(), names.end());
    return names;
}

// Names like a temporary's that are no leftover of an ended process (this
// process's own, names of other forms) are never touched and stop no save. A
// leftover of a process that runs nowhere here stays while it is young: it may
// be another machine's live save into a shared folder.
TEST_F(IoTest, ASaveNeverTouchesAFileNamedLikeItsTemporary) {
    const std::string target = scratch / "doc.xml";
    const uint32_t self = os::CurrentProcessId(), nobody = 4294967292u;
    const std::string young = Str(SaveTemporaryName("doc.xml", nobody, 1));
    scratch.Write("doc.xml", "old");
    Names expected = {"doc.xml"};
    for (const std::string& name :
         {Str(SaveTemporaryName("doc.xml", self, 0)), Str(SaveTemporaryName("doc.xml", self, 4294967295u)),
          std::string("doc.xml.~tmp"), std::string("doc.xml.~tmp") + std::to_string(self), young}) {
        scratch.Write(name, "user");
        expected.push_back(name);
    }
    std::sort(expected.begin(), expected.end());
    for (const char* bytes : {"new", "newer"}) {
        ASSERT_TRUE(Write(target, bytes));
        EXPECT_EQ(scratch.Read("doc.xml"), bytes);
        EXPECT_EQ(Files(scratch.Path()), expected);
    }
    for (const std::string& name : expected)
        EXPECT_EQ(scratch.Read(name), name == "doc.xml" ? "newer" : "user") << name;
    // Left for more than a minute, it is a leftover.
    std::filesystem::last_write_time(Host(scratch / young),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::seconds(61));
    ASSERT_TRUE(Write(target, "newest"));
    expected.erase(std::find(expected.begin(), expected.end(), young));
    EXPECT_EQ(Files(scratch.Path()), expected);
}

// Temporaries stay within the path limit of the ANSI calls, their target's
// name cut: a target just within it saves.
TEST_F(IoTest, ATargetAtThePathLimitSaves) {
    std::string target = scratch / "";
    target += std::string(size_t(kSavePathLimit) - target.size() - 4, 'n') + ".xml";
    EXPECT_EQ(SaveTemporaryName(target.c_str(), 4294967295u, 4294967295u).Length(), kSavePathLimit);
    ASSERT_TRUE(Write(target, "old"));
    ASSERT_TRUE(Write(target, "new"));
    EXPECT_EQ(Files(scratch.Path()), Names{target.substr(scratch.Path().size())});
    EXPECT_EQ(scratch.Read(target.substr(scratch.Path().size())), "new");
}

// A read-only file or a folder in the target's place makes the save fail, with
// the old content and the attribute kept and no temporary left.
TEST_F(IoTest, ASaveThatCannotReplaceItsTargetLeavesItAlone) {
    scratch.Write("ro.txt", "old");
    scratch.Write("dir\\in.txt", "in");
    ASSERT_TRUE(os::FileSetAttributes((scratch / "ro.txt").c_str(), os::kAttrReadOnly));
    for (const char* name : {"ro.txt", "dir"}) {
        SCOPED_TRACE(name);
        const std::string target = scratch / name;
        test::LogCapture log;
        EXPECT_FALSE(Write(target, "new"));
        EXPECT_FALSE(cIO::SaveFile(target.c_str(), reinterpret_cast<const uint8_t*>("new"), 3, false, true));
        EXPECT_EQ(log.Warnings(), Names{"Can't save file \"" + target + "\""});
        EXPECT_EQ(Files(scratch.Path()), Names{"ro.txt"});
    }
    EXPECT_EQ(scratch.Read("ro.txt"), "old");
    EXPECT_EQ(scratch.Read("dir\\in.txt"), "in");
    EXPECT_TRUE(os::FileAttributes((scratch / "ro.txt").c_str()) & os::kAttrReadOnly);
    ASSERT_TRUE(os::FileSetAttributes((scratch / "ro.txt").c_str(), os::kAttrNormal));
    EXPECT_TRUE(Write(scratch / "ro.txt", "new"));
    EXPECT_EQ(scratch.Read("ro.txt"), "new");
    EXPECT_EQ(Files(scratch.Path()), Names{"ro.txt"});
}

}  // namespace
}  // namespace tovan

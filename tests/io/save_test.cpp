// Whole-file saves replace the old file only once every byte is written, and
// leave nothing but the target behind.
#include "core/os.h"
#include "io/whole_save.h"
#include "tests/io/io_fixture.h"
#include "tests/support/log_capture.h"

#include <algorithm>

namespace tovan {
namespace {

using test::IoTest;
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

TEST_F(IoTest, ASaveNeverTouchesAFileNamedLikeItsTemporary) {
    const std::string target = scratch / "doc.xml";
    scratch.Write("doc.xml", "old");
    Names expected = {"doc.xml"};
    for (int i = 0; i < kSaveTemporaryNames; ++i) {
        cStr name = SaveTemporaryName("doc.xml", i);
        scratch.Write(name.GetText(), "user");
        expected.push_back(name.GetText());
        if (i == 0) {
            ASSERT_TRUE(Write(target, "new"));  // the next free name serves
            EXPECT_EQ(scratch.Read("doc.xml"), "new");
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_FALSE(Write(target, "newer"));  // every name taken: nothing to write to
    EXPECT_EQ(scratch.Read("doc.xml"), "new");
    EXPECT_EQ(Files(scratch.Path()), expected);
    for (int i = 0; i < kSaveTemporaryNames; ++i)
        EXPECT_EQ(scratch.Read(SaveTemporaryName("doc.xml", i).GetText()), "user");
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

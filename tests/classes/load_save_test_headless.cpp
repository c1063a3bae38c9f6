// Saving an object onto a disk that fills up or a read-only file, on the virtual drive.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "core/os.h"
#include "core/os_headless.h"
#include "tests/support/classes/sample_classes.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch.h"

namespace tovan::test {
namespace {

class ObjectFilesThatCannotBeSaved : public ScratchTest {};

TEST_F(ObjectFilesThatCannotBeSaved, KeepTheOldFileLoadable) {
    auto doc = Fresh<cSampleDoc>();
    doc->m_Count = 8;
    const std::string path = scratch / "doc.xml";
    ASSERT_TRUE(doc->SaveToFile(path.c_str()));
    const std::string old = scratch.Read("doc.xml");
    doc->m_Title = "a new title";
    cStr text;
    ASSERT_TRUE(doc->SaveToText(text));
    const int64_t size = text.Length();
    // The disk fills at the first byte, halfway, at the last byte; then the file is read-only.
    for (int64_t limit : {int64_t(0), size / 2, size - 1, int64_t(-1)}) {
        SCOPED_TRACE(limit);
        os::headless::ScriptWriteLimit(limit);
        os::FileSetAttributes(path.c_str(), limit < 0 ? os::kAttrReadOnly : os::kAttrNormal);
        LogCapture capture;
        EXPECT_FALSE(doc->SaveToFile(path.c_str()));
        os::headless::ScriptWriteLimit(-1);
        EXPECT_EQ(capture.Warnings(), std::vector<std::string>{"Can't save file \"" + path + "\""});
        auto back = Fresh<cSampleDoc>();
        ASSERT_TRUE(back->LoadFromFile(path.c_str()));
        EXPECT_EQ(back->m_Count, 8);
        EXPECT_EQ(scratch.Read("doc.xml"), old);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.HostPath()), {}), 1);
    }
}

}  // namespace
}  // namespace tovan::test

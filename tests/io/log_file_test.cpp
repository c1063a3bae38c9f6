// The log file is written through the file layer: a relative log file name
// lands in the base folder, like every other relative name.
#include "core/log.h"
#include "tests/io/io_fixture.h"
#include "tests/support/log_capture.h"

namespace tovan {
namespace {

using test::IoTest;

TEST_F(IoTest, LogFileGoesThroughTheFileLayer) {
    test::LogCapture capture;
    ASSERT_TRUE(cIO::CreateFolders((Relative() + "\\").c_str()));
    std::string name = Relative() + "/log.txt";
    SetLogFileName(name.c_str());
    Log("first");
    Log("second\n");
    FlushLog();
    SetLogFileName("");
    EXPECT_EQ(ReadHost(InBase(Relative() + "\\log.txt")), "first\r\nsecond\r\n");
}

}  // namespace
}  // namespace tovan

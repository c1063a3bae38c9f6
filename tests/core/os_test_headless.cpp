// The headless double's virtual drive: Windows path rules over a host folder.
#include "core/os.h"
#include "core/os_headless.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tovan {
namespace {

using test::ScratchTest;

TEST_F(ScratchTest, HostPathMapsDriveCAndRefusesOtherDrives) {
    const std::string& root = os::headless::DriveRoot();
    EXPECT_EQ(os::headless::HostPath("C:\\x\\y.txt"), root + "/x/y.txt");
    EXPECT_EQ(os::headless::HostPath("c:/x/./z/../y.txt"), root + "/x/y.txt");
    EXPECT_EQ(os::headless::HostPath("\\x"), root + "/x");
    EXPECT_EQ(os::headless::HostPath("D:\\x"), "");
    EXPECT_EQ(os::headless::HostPath("\\\\server\\share\\x"), "");
    EXPECT_EQ(os::headless::HostPath("C:\\..\\..\\x"), root + "/x");  // never above the root
}

TEST_F(ScratchTest, RelativePathsFollowTheCurrentDirectory) {
    scratch.Write("dir\\f.txt", "1");
    EXPECT_TRUE(os::SetCurrentDirectory((scratch / "dir").c_str()));
    char buffer[256];
    os::CurrentDirectory(buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer), "C:\\scratch\\dir");
    EXPECT_EQ(os::headless::HostPath("f.txt"), scratch.HostPath() + "/dir/f.txt");
    EXPECT_FALSE(os::SetCurrentDirectory((scratch / "dir\\f.txt").c_str()));
    EXPECT_FALSE(os::SetCurrentDirectory("C:\\nowhere"));
}

TEST_F(ScratchTest, CallsAreRecorded) {
    os::headless::TakeCalls();
    void* f = os::FileOpen((scratch / "r.txt").c_str(), os::FileMode::Create);
    os::FileClose(f);
    std::vector<std::string> calls = os::headless::TakeCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], "FileOpen C:\\scratch\\r.txt create");
    EXPECT_TRUE(os::headless::TakeCalls().empty());
}

std::string Resolved(const std::string& path) {
    char buffer[512];
    int n = os::ResolveLink(path.c_str(), buffer, sizeof buffer);
    return n > 0 && n < int(sizeof buffer) ? std::string(buffer) : "";
}

// Chains of links resolve (saves test the common ones) up to kLinkHops links
// and within the drive.
TEST_F(ScratchTest, LinkChainsResolveWithinBounds) {
    scratch.Write("real\\f.txt", "x");
    const std::string host = scratch.HostPath() + "/";
    std::filesystem::create_symlink("/", host + "outside");
    for (int i = 0; i <= os::kLinkHops; ++i)
        std::filesystem::create_symlink(i == os::kLinkHops ? "real/f.txt" : "h" + std::to_string(i + 1),
                                        host + "h" + std::to_string(i));
    EXPECT_EQ(Resolved(scratch / "h1"), "C:\\scratch\\real\\f.txt");
    EXPECT_EQ(Resolved(scratch / "h0"), "");
    EXPECT_EQ(Resolved(scratch / "outside"), "");
}

TEST(HeadlessModule, ModulePathIsScripted) {
    os::headless::SetModulePath("C:\\work\\x64\\Debug (DX)\\h.exe");
    char buffer[128];
    EXPECT_EQ(os::ModuleFileName(buffer, sizeof buffer), 28);
    EXPECT_STREQ(buffer, "C:\\work\\x64\\Debug (DX)\\h.exe");
    os::headless::Reset();
    os::ModuleFileName(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "C:\\app\\halden.exe");
}

}  // namespace
}  // namespace tovan

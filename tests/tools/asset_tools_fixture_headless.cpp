// Natively the seam's double answers the questions and records what was started.
#include <cstdlib>

#include "core/os_headless.h"
#include "tests/tools/asset_tools_fixture.h"

#include <gtest/gtest.h>

namespace tovan::test {

namespace {
std::vector<std::string> CallsStarting(const std::string& head) {
    std::vector<std::string> found;
    for (const std::string& call : os::headless::TakeCalls())
        if (call.rfind(head, 0) == 0)
            found.push_back(call.substr(head.size()));
    return found;
}
}  // namespace

struct AssetToolsTest::Platform {};

AssetToolsTest::AssetToolsTest() = default;
AssetToolsTest::~AssetToolsTest() = default;

// The module path only counts for the first test of the program to start the file layer.
void AssetToolsTest::SetUpPlatform() { os::headless::SetModulePath("C:\\Data\\h.exe"); }

void AssetToolsTest::TearDownPlatform() { os::headless::TakeCalls(); }

// The stand-in runs on the host: it is told where the virtual drive is.
void AssetToolsTest::SetCompilerEnvironment(const std::string& record) {
    if (record.empty()) {
        unsetenv("TOVAN_STAND_IN_DRIVE");
        unsetenv("TOVAN_STAND_IN_RECORD");
        return;
    }
    setenv("TOVAN_STAND_IN_DRIVE", os::headless::DriveRoot().c_str(), 1);
    setenv("TOVAN_STAND_IN_RECORD", record.c_str(), 1);
}

void AssetToolsTest::ExpectStarted(const std::string& program, const std::vector<std::string>& parameters) {
    EXPECT_EQ(CallsStarting("RunAndWait ../Libs/PrecompileShaders/" + program + " "), parameters);
}

void AssetToolsTest::Answer(int answer) { os::headless::ScriptAnswer(answer); }

std::vector<std::string> AssetToolsTest::Questions() { return CallsStarting("MessageBox "); }

}  // namespace tovan::test

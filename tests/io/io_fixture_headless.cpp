#include "core/os_headless.h"
#include "tests/io/io_fixture.h"

#include <filesystem>

namespace tovan::test {

// The module path only matters to the first cIO call of the process; every test
// sets it so that whichever test comes first starts the layer the same way.
void IoTest::PrepareProgramFolder() {
    os::headless::SetModulePath("C:\\app\\h.exe");
    std::filesystem::create_directories(os::headless::HostPath("C:\\app"));
}

std::string IoTest::Host(const std::string& windowsPath) { return os::headless::HostPath(windowsPath.c_str()); }

}  // namespace tovan::test

#include "tests/io/io_fixture.h"

namespace tovan::test {

void IoTest::PrepareProgramFolder() {}

std::string IoTest::Host(const std::string& windowsPath) { return windowsPath; }

}  // namespace tovan::test

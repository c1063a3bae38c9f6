#include "tests/support/test_window.h"

namespace tovan::test {

TestWindow::TestWindow() = default;
TestWindow::~TestWindow() = default;

}  // namespace tovan::test

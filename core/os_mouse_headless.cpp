#include "core/os.h"
#include "core/os_headless.h"

namespace tovan::os {

// Recorded as "MouseCapture" and "MouseRelease" for the tests that count them.
void MouseCapture(void* /*window*/) { headless::Record("MouseCapture"); }
void MouseRelease() { headless::Record("MouseRelease"); }

}  // namespace tovan::os

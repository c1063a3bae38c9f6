// No OLE, no network and no windows natively: the double records what a drop
// asks of the platform, and every download fails as with no connection.
#include "core/os_headless.h"
#include "win32/drop_platform.h"
#include "win32/drop_target.h"

#include <string>

namespace tovan {

void* GetDropTarget() { return nullptr; }

bool DownloadLink(const char* url, int64_t, cList<uint8_t>& body) {
    body.Free();
    os::headless::Record(std::string("InternetOpenUrl ") + (url ? url : ""));
    return false;
}

namespace drop {

cVec2 CursorInGui() { return {0, 0}; }

void BringMainWindowToFront() { os::headless::Record("SetForegroundWindow"); }

}  // namespace drop

}  // namespace tovan

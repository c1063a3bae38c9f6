#include "core/os.h"
#include "core/window_utils.h"
#include "io/io.h"
#include "io/io_state.h"

#include <cstdlib>

namespace tovan {

// The clipboard, the environment and program starts need nothing of the layer's
// start-up, so they never wait for it: the log window copies to the clipboard
// while it holds a log lock.

bool cIO::RunAndWait(const char* file, const char* parameters) {
    uint32_t exitCode = 1;
    return file && os::RunAndWait(file, parameters, &exitCode) && exitCode == 0;
}

bool cIO::CopyToClipboard(const char* text) {
    if (!text)
        text = "";
    return os::ClipboardSetText(MainWindowHandle, text, uint32_t(TextLength(text)));
}

cStr cIO::GetEnv(const char* name) {
    return TextFromOs([name](char* buffer, int size) { return os::EnvironmentVariable(name, buffer, size); });
}

void cIO::RestartThisApplication() {
    Init();
    os::ShellOpen(GetIoState().modulePath.GetText());
    std::exit(0);
}

}  // namespace tovan

// Without the Win32 layer a native build has no dialog to show: the pick is
// recorded and takes the test's scripted choice as typed, with no preview
// check (an open pick can return a file that does not load).
#include "core/os_headless.h"
#include "io/file_pickers.h"
#include "io/io.h"

namespace tovan {

bool DefaultPickDialog(const PickRequest& request, cStr& chosen) {
    // "PickDialog open <folder> | <name>"
    os::headless::Record(std::string("PickDialog ") + (request.m_Open ? "open " : "save ") +
                         (request.m_InitialFolder ? request.m_InitialFolder : "") + " | " +
                         (request.m_InitialName ? request.m_InitialName : ""));
    os::headless::FileChoice choice;
    if (!os::headless::TakeFileChoice(&choice) || choice.name.empty())
        return false;
    if (cIO::IsAbsolute(choice.name.c_str())) {
        chosen = choice.name.c_str();
    } else {
        chosen = cIO::ResolvePath(request.m_InitialFolder);
        chosen.AppendPath(choice.name.c_str());
    }
    return true;
}

}  // namespace tovan

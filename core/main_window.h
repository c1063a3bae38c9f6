// The application's main window: owner of the framework's dialogs and of the
// platform mouse capture. The application sets it; null until then.
#pragma once

namespace tovan {

extern void* MainWindowHandle;

}  // namespace tovan

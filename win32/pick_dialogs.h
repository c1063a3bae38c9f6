// The resource layer's per-kind pickers (cIO::PickImageToLoad and its
// siblings) show their dialogs through a hook; this sets it to the file
// dialogs with previews. The windowed entry point installs it at start-up.
#pragma once
#include "io/file_pickers.h"

namespace tovan {

void InstallFileDialogs();

// The hook itself: shows the dialog of the request's kind.
bool ShowPickDialog(const PickRequest& request, cStr& chosen);

}  // namespace tovan

// Without the Win32 layer's dialogs there is nothing to show: every pick is a cancel.
#include "io/file_pickers.h"

namespace tovan {

bool DefaultPickDialog(const PickRequest&, cStr&) { return false; }

}  // namespace tovan

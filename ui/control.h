// What every control, panel and form does when it is built: it copies the
// root window's style (a root takes the host's), is visible and enabled, and
// starts its fades at their targets so that it does not fade in.
#pragma once
#include "ui/wnd.h"

namespace tovan {

void StartControl(cWnd& control);

}  // namespace tovan

// The property panel builder: turns a reflected object into the Class
// Explorer's rows. Each member gets one widget chosen by the name of its
// field-type class and bound to the member's storage; a compound member gets
// a panel filled with its own members (while it is open). Every widget made
// is recorded as a row of the explorer, so that a notification from it leads
// back to the member, its owner and its field type.
#pragma once
#include <cstdint>

#include "tools/class_explorer.h"

namespace tovan {

class cClass;
class cWnd;

// Builds the row or rows of one member under parent; the root object is built
// with owner, address, extra and name absent and expanded true. A field type
// without a widget of its own builds nothing.
void BuildPropertyPanel(cClassExplorer::Stub* explorer, cWnd* parent, cClass* owner, cClass* fieldClass, void* address,
                        uintptr_t extra, const char* name, bool expanded);

}  // namespace tovan

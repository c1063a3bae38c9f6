// The widget registry: every live widget sits in one of 33 layers and is named
// by a WidgetHandle (layer << 16 | slot). Widgets keep handles of one another,
// never pointers. The registry decides the order in which the host's frame
// loop feeds, hovers and updates widgets: within a layer the end of the order
// is the front; higher layers lie in front of lower ones.
//
// The frame loop belongs to the host. Once per frame, with the dispatching flag
// set, it offers each popped input event front first until a widget consumes
// it, runs the hover pass front first, calls Update back first, then clears the
// flag and carries out the removals and bring-to-front requests made meanwhile.
#pragma once
#include <cstdint>

#include "core/list.h"

namespace tovan {

class cWidget;

using WidgetHandle = int32_t;

inline constexpr int kWidgetLayerCount = 33;
inline constexpr int kFormLayer = 3;     // forms, and windows added under an unregistered root
inline constexpr int kOverlayLayer = 4;  // the frame-rate display and combo-box drop-down lists

inline WidgetHandle MakeWidgetHandle(int layer, int slot) { return (layer << 16) | slot; }
inline int WidgetLayer(WidgetHandle handle) { return handle >> 16; }
inline int WidgetSlot(WidgetHandle handle) { return handle & 0xFFFF; }

// -1 for a null widget, a layer outside 0-32 or a full layer (65,536 slots).
WidgetHandle AddWidget(cWidget* widget, int layer);
// The widget's first handle in the order of layers 0-32 and their slots (a
// widget added twice has two), found without a scan; -1 when absent.
WidgetHandle FindWidgetHandle(const cWidget* widget);
// The widget a handle names, or null (-1, bad layer or slot, empty slot).
cWidget* GetWidget(WidgetHandle handle);
// While dispatching, a removal with destroy waits for the end of the frame.
// Removing the widget that holds the capture releases it.
void RemoveWidget(WidgetHandle handle, bool destroy);
// Removes at once even while dispatching: a window's destructor takes its
// children with it, since they point at it.
void RemoveWidgetNow(WidgetHandle handle, bool destroy);
// Moves the widget to the front of its layer and calls its OnBringToFront;
// while dispatching the request waits for the end of the frame.
void BringWidgetToFront(WidgetHandle handle);

// The widget that holds the mouse capture (-1 none); see the capture rule.
extern WidgetHandle CapturedWidget;

// --- for the frame loop ----------------------------------------------------------

struct WidgetEntry {
    WidgetHandle handle;
    cWidget* widget;
};

// Takes a snapshot of the registered widgets, front first or back first, for
// one walk. A walk calls an entry only while IsLive says it is still there.
void CollectWidgets(cList<WidgetEntry>& out, bool frontFirst);
inline bool IsLive(const WidgetEntry& entry) { return GetWidget(entry.handle) == entry.widget; }

bool IsDispatching();
void BeginWidgetDispatch();
// Clears the flag, then carries out the deferred removals and bring-to-front
// requests in the order they were made.
void EndWidgetDispatch();

// Widgets registered in all layers (for hosts and tests).
int CountWidgets();

}  // namespace tovan

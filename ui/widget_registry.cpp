#include "ui/widget_registry.h"

#include <unordered_map>

#include "ui/widget.h"
#include "ui/widget_registry_internal.h"

namespace tovan {

WidgetHandle CapturedWidget = -1;

namespace {

constexpr int kMaxSlots = 0x10000;  // the slot must fit the handle's low 16 bits
constexpr int kNoSlot = -1;
constexpr int kUnlinked = -2;  // a free slot is in no order

// The order of a layer is a list of its live slots linked through two lists
// by slot, so that a removal or a move to the front costs the same whatever
// the layer's size, and the others keep their places.
struct Layer {
    cList<cWidget*> widgets;  // by slot; a removed widget leaves null
    cList<uint32_t> uses;     // by slot: how often a widget was put there
    cList<int> freeSlots;     // last freed, first reused
    cList<int> behind;        // by slot: the next slot toward the back, kNoSlot at the back, kUnlinked when free
    cList<int> ahead;         // by slot: the next slot toward the front
    int back = kNoSlot;
    int front = kNoSlot;
    int live = 0;
};

// Where each registered widget is, so that finding its handle needs no scan.
// A widget registered more than once is found by its first handle in scan
// order (layers, then slots, ascending), which is the smallest handle.
struct Registration {
    WidgetHandle first;
    int count;
};

// A deferred removal remembers the widget and the slot's use: by the time it
// runs the slot may hold another widget that reused it, even one that was
// given the freed widget's address.
struct DeferredRemoval {
    WidgetHandle handle;
    cWidget* widget;
    uint32_t use;
};

struct Registry {
    Layer layers[kWidgetLayerCount];
    std::unordered_map<const cWidget*, Registration> registrations;
    bool dispatching = false;
    cList<DeferredRemoval> removals;
    cList<WidgetHandle> toFront;
};

// Lives until the process ends: a widget may leave it from a static destructor.
Registry& TheRegistry() {
    static Registry* registry = new Registry;
    return *registry;
}

Layer* LayerOf(WidgetHandle handle) {
    if (handle < 0)
        return nullptr;
    const int layer = WidgetLayer(handle);
    return layer < kWidgetLayerCount ? &TheRegistry().layers[layer] : nullptr;
}

void LinkAtFront(Layer& l, int slot) {
    l.behind[slot] = l.front;
    l.ahead[slot] = kNoSlot;
    if (l.front != kNoSlot)
        l.ahead[l.front] = slot;
    else
        l.back = slot;
    l.front = slot;
    ++l.live;
}

void Unlink(Layer& l, int slot) {
    const int behind = l.behind[slot], ahead = l.ahead[slot];
    if (behind != kNoSlot)
        l.ahead[behind] = ahead;
    else
        l.back = ahead;
    if (ahead != kNoSlot)
        l.behind[ahead] = behind;
    else
        l.front = behind;
    l.behind[slot] = l.ahead[slot] = kUnlinked;
    --l.live;
}

bool IsLinked(const Layer& l, int slot) { return l.behind[slot] != kUnlinked; }

// The slow way, left for a widget registered more than once whose first
// registration went.
WidgetHandle ScanForWidget(const cWidget* widget) {
    Registry& r = TheRegistry();
    for (int layer = 0; layer < kWidgetLayerCount; ++layer) {
        const cList<cWidget*>& widgets = r.layers[layer].widgets;
        for (int slot = 0; slot < widgets.Count(); ++slot)
            if (widgets[slot] == widget)
                return MakeWidgetHandle(layer, slot);
    }
    return -1;
}

void NoteAdded(const cWidget* widget, WidgetHandle handle) {
    Registration& entry = TheRegistry().registrations.try_emplace(widget, Registration{handle, 0}).first->second;
    if (handle < entry.first)
        entry.first = handle;
    ++entry.count;
}

// Called once the slot is empty, so a scan no longer finds it there.
void NoteRemoved(const cWidget* widget, WidgetHandle handle) {
    auto& registrations = TheRegistry().registrations;
    const auto at = registrations.find(widget);
    if (at == registrations.end())
        return;
    if (--at->second.count == 0)
        registrations.erase(at);
    else if (at->second.first == handle)
        at->second.first = ScanForWidget(widget);
}

}  // namespace

void RemoveWidgetNow(WidgetHandle handle, bool destroy) {
    Layer* layer = LayerOf(handle);
    const int slot = WidgetSlot(handle);
    if (!layer || slot >= layer->widgets.Count() || !layer->widgets[slot])
        return;
    cWidget* widget = layer->widgets[slot];
    if (handle == CapturedWidget)
        ReleaseWidgetCapture();
    // The slot is freed before the widget is deleted, so that its destructor
    // (which removes its own children) sees a registry without it.
    layer->widgets[slot] = nullptr;
    NoteRemoved(widget, handle);
    if (IsLinked(*layer, slot))
        Unlink(*layer, slot);
    layer->freeSlots.PushBack(slot);
    if (destroy)
        delete widget;
}

WidgetHandle AddWidget(cWidget* widget, int layer) {
    if (!widget || layer < 0 || layer >= kWidgetLayerCount)
        return -1;
    Layer& l = TheRegistry().layers[layer];
    int slot;
    if (!l.freeSlots.IsEmpty()) {
        slot = l.freeSlots[l.freeSlots.Count() - 1];
        l.freeSlots.RemoveAt(l.freeSlots.Count() - 1);
        l.widgets[slot] = widget;
        ++l.uses[slot];
    } else {
        if (l.widgets.Count() >= kMaxSlots)
            return -1;
        slot = l.widgets.PushBack(widget);
        l.uses.PushBack(0);
        l.behind.PushBack(kUnlinked);
        l.ahead.PushBack(kUnlinked);
    }
    LinkAtFront(l, slot);
    const WidgetHandle handle = MakeWidgetHandle(layer, slot);
    NoteAdded(widget, handle);
    return handle;
}

WidgetHandle FindWidgetHandle(const cWidget* widget) {
    if (!widget)
        return -1;
    const auto& registrations = TheRegistry().registrations;
    const auto at = registrations.find(widget);
    return at == registrations.end() ? -1 : at->second.first;
}

cWidget* GetWidget(WidgetHandle handle) {
    Layer* layer = LayerOf(handle);
    const int slot = WidgetSlot(handle);
    return layer && slot < layer->widgets.Count() ? layer->widgets[slot] : nullptr;
}

void RemoveWidget(WidgetHandle handle, bool destroy) {
    Registry& r = TheRegistry();
    if (r.dispatching && destroy) {
        if (cWidget* widget = GetWidget(handle))
            r.removals.PushBack({handle, widget, LayerOf(handle)->uses[WidgetSlot(handle)]});
        return;
    }
    RemoveWidgetNow(handle, destroy);
}

void BringWidgetToFront(WidgetHandle handle) {
    if (handle == -1)
        return;
    Registry& r = TheRegistry();
    if (r.dispatching) {
        r.toFront.PushBack(handle);
        return;
    }
    Layer* layer = LayerOf(handle);
    const int slot = WidgetSlot(handle);
    if (!layer || slot >= layer->widgets.Count())
        return;
    if (IsLinked(*layer, slot)) {
        Unlink(*layer, slot);
        LinkAtFront(*layer, slot);
    }
    if (cWidget* widget = layer->widgets[slot])
        widget->OnBringToFront();
}

void CollectWidgets(cList<WidgetEntry>& out, bool frontFirst) {
    out.DestroyItems();
    Registry& r = TheRegistry();
    for (int i = 0; i < kWidgetLayerCount; ++i) {
        const int layer = frontFirst ? kWidgetLayerCount - 1 - i : i;
        const Layer& l = r.layers[layer];
        const cList<int>& next = frontFirst ? l.behind : l.ahead;
        for (int slot = frontFirst ? l.front : l.back; slot != kNoSlot; slot = next[slot])
            out.PushBack({MakeWidgetHandle(layer, slot), l.widgets[slot]});
    }
}

bool IsDispatching() { return TheRegistry().dispatching; }

void BeginWidgetDispatch() { TheRegistry().dispatching = true; }

void EndWidgetDispatch() {
    Registry& r = TheRegistry();
    r.dispatching = false;
    // The flag is clear already, so whatever the removed widgets' destructors
    // ask of the registry happens at once.
    for (int i = 0; i < r.removals.Count(); ++i) {
        const DeferredRemoval removal = r.removals[i];
        if (GetWidget(removal.handle) == removal.widget &&
            LayerOf(removal.handle)->uses[WidgetSlot(removal.handle)] == removal.use)
            RemoveWidgetNow(removal.handle, true);
    }
    r.removals.DestroyItems();
    for (int i = 0; i < r.toFront.Count(); ++i)
        BringWidgetToFront(r.toFront[i]);
    r.toFront.DestroyItems();
}

int CountWidgets() {
    int count = 0;
    for (const Layer& l : TheRegistry().layers)
        count += l.live;
    return count;
}

namespace registry_detail {
void ForgetEmptyLayers() {
    for (Layer& l : TheRegistry().layers) {
        if (l.live != 0)
            continue;
        l.widgets.Free();
        l.uses.Free();
        l.freeSlots.Free();
        l.behind.Free();
        l.ahead.Free();
        l.back = l.front = kNoSlot;
    }
}
}  // namespace registry_detail

}  // namespace tovan

#include "ui/widget_registry.h"

#include "ui/widget.h"
#include "ui/widget_registry_internal.h"

namespace tovan {

WidgetHandle CapturedWidget = -1;

namespace {

constexpr int kMaxSlots = 0x10000;  // the slot must fit the handle's low 16 bits

struct Layer {
    cList<cWidget*> widgets;  // by slot; a removed widget leaves null
    cList<uint32_t> uses;     // by slot: how often a widget was put there
    cList<int> freeSlots;     // last freed, first reused
    cList<int> order;         // live slots, back to front
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
    bool dispatching = false;
    cList<DeferredRemoval> removals;
    cList<WidgetHandle> toFront;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

Layer* LayerOf(WidgetHandle handle) {
    if (handle < 0)
        return nullptr;
    const int layer = WidgetLayer(handle);
    return layer < kWidgetLayerCount ? &TheRegistry().layers[layer] : nullptr;
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
    const int at = layer->order.Find(slot);
    if (at >= 0)
        layer->order.RemoveAt(at);
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
    }
    l.order.PushBack(slot);
    return MakeWidgetHandle(layer, slot);
}

WidgetHandle FindWidgetHandle(const cWidget* widget) {
    if (!widget)
        return -1;
    Registry& r = TheRegistry();
    for (int layer = 0; layer < kWidgetLayerCount; ++layer) {
        const cList<cWidget*>& widgets = r.layers[layer].widgets;
        for (int slot = 0; slot < widgets.Count(); ++slot)
            if (widgets[slot] == widget)
                return MakeWidgetHandle(layer, slot);
    }
    return -1;
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
    const int at = layer->order.Find(slot);
    if (at >= 0) {
        layer->order.RemoveAt(at);
        layer->order.PushBack(slot);
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
        const int n = l.order.Count();
        for (int j = 0; j < n; ++j) {
            const int slot = l.order[frontFirst ? n - 1 - j : j];
            out.PushBack({MakeWidgetHandle(layer, slot), l.widgets[slot]});
        }
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
        count += l.order.Count();
    return count;
}

namespace registry_detail {
void ForgetEmptyLayers() {
    for (Layer& l : TheRegistry().layers) {
        if (!l.order.IsEmpty())
            continue;
        l.widgets.Free();
        l.uses.Free();
        l.freeSlots.Free();
        l.order.Free();
    }
}
}  // namespace registry_detail

}  // namespace tovan

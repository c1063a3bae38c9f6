// The widget registry: handles, slot reuse, deferred work while dispatching,
// the capture, and the order the frame loop walks.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "tests/support/ui/frame_host.h"
#include "ui/widget.h"
#include "ui/widget_registry.h"

namespace tovan {
namespace {

std::vector<std::string>* g_Log = nullptr;  // what the probes did, in order

// A widget that logs its updates, hovers, key presses and its end.
class Probe : public cWidget {
public:
    explicit Probe(std::string name, bool consume = false) : m_Name(std::move(name)), m_Consume(consume) {}
    ~Probe() override { Note("gone"); }
    void Update() override { Note("update"); }
    bool UpdateHover(bool covered) override {
        Note(covered ? "hover-covered" : "hover");
        return m_Consume;
    }
    bool OnKeyDown(KeyCode) override {
        Note("key");
        return m_Consume;
    }
    void OnBringToFront() override { Note("front"); }
    void Note(const char* what) {
        if (g_Log)
            g_Log->push_back(m_Name + " " + what);
    }

private:
    std::string m_Name;
    bool m_Consume;
};

class Registry : public ::testing::Test {
protected:
    Registry() { g_Log = &log; }
    ~Registry() override { g_Log = nullptr; }
    std::vector<std::string> log;
    test::FrameHost host;
};

TEST_F(Registry, HandlesNameLayerAndSlot) {
    Probe* a = new Probe("a");
    Probe* b = new Probe("b");
    Probe* c = new Probe("c");
    EXPECT_EQ(AddWidget(a, 3), 3 << 16);
    EXPECT_EQ(AddWidget(b, 3), (3 << 16) | 1);
    EXPECT_EQ(AddWidget(c, 32), 32 << 16);
    EXPECT_EQ(FindWidgetHandle(b), (3 << 16) | 1);
    EXPECT_EQ(GetWidget((3 << 16) | 1), b);
    EXPECT_EQ(CountWidgets(), 3);
}

TEST_F(Registry, RefusesWhatCannotBeNamed) {
    Probe p("p");
    struct Case {
        cWidget* widget;
        int layer;
    };
    const Case cases[] = {{&p, 33}, {&p, -1}, {nullptr, 3}, {&p, 1000}};
    for (const Case& c : cases)
        EXPECT_EQ(AddWidget(c.widget, c.layer), -1) << c.layer;
    EXPECT_EQ(FindWidgetHandle(nullptr), -1);
    EXPECT_EQ(FindWidgetHandle(&p), -1);
    const WidgetHandle bad[] = {-1, 33 << 16, (3 << 16) | 5, (3 << 16) | 0xFFFF};
    for (WidgetHandle h : bad) {
        EXPECT_EQ(GetWidget(h), nullptr) << h;
        RemoveWidget(h, true);  // ignored
        BringWidgetToFront(h);
    }
    EXPECT_TRUE(log.empty());
}

TEST_F(Registry, AFreedSlotIsReusedLastFreedFirst) {
    Probe* a = new Probe("a");
    Probe* b = new Probe("b");
    const WidgetHandle ha = AddWidget(a, 5), hb = AddWidget(b, 5);
    RemoveWidget(ha, true);
    RemoveWidget(hb, true);
    EXPECT_EQ(log, (std::vector<std::string>{"a gone", "b gone"}));
    EXPECT_EQ(AddWidget(new Probe("c"), 5), hb);
    EXPECT_EQ(AddWidget(new Probe("d"), 5), ha);
    EXPECT_EQ(AddWidget(new Probe("e"), 5), MakeWidgetHandle(5, 2));
}

TEST_F(Registry, RemovingWithoutDestroyKeepsTheWidget) {
    Probe p("p");
    const WidgetHandle h = AddWidget(&p, 2);
    BeginWidgetDispatch();
    RemoveWidget(h, false);  // at once, even while dispatching
    EXPECT_EQ(GetWidget(h), nullptr);
    EndWidgetDispatch();
    EXPECT_TRUE(log.empty());
}

TEST_F(Registry, RemovalWithDestroyWaitsForTheEndOfDispatch) {
    const WidgetHandle h = AddWidget(new Probe("a"), 3);
    BeginWidgetDispatch();
    RemoveWidget(h, true);
    EXPECT_NE(GetWidget(h), nullptr);
    EXPECT_TRUE(log.empty());
    EndWidgetDispatch();
    EXPECT_EQ(GetWidget(h), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"a gone"}));
}

TEST_F(Registry, DeferredRemovalSparesAWidgetThatReusedTheSlot) {
    // The second widget takes the first one's slot and even its address.
    alignas(Probe) unsigned char storage[sizeof(Probe)];
    Probe* a = new (storage) Probe("a");
    const WidgetHandle h = AddWidget(a, 3);
    BeginWidgetDispatch();
    RemoveWidget(h, true);   // deferred
    RemoveWidget(h, false);  // at once: the slot is free again
    a->~Probe();
    Probe* b = new (storage) Probe("b");
    EXPECT_EQ(AddWidget(b, 3), h);
    EndWidgetDispatch();
    EXPECT_EQ(GetWidget(h), b);
    EXPECT_EQ(log, (std::vector<std::string>{"a gone"}));
    RemoveWidget(h, false);
    b->~Probe();
}

TEST_F(Registry, RemovingTheCapturedWidgetReleasesTheCapture) {
    Probe* a = new Probe("a");
    const WidgetHandle h = AddWidget(a, 3);
    TakeCapture(a);
    EXPECT_EQ(CapturedWidget, h);
    EXPECT_TRUE(HoldsCapture(a));
    Probe b("b");
    TakeCapture(&b);  // unregistered, and the capture is held: nothing
    EXPECT_EQ(CapturedWidget, h);
    RemoveWidget(h, true);
    EXPECT_EQ(CapturedWidget, -1);
    EXPECT_FALSE(HoldsCapture(a));
}

TEST_F(Registry, ACaptureHeldByAnotherIsNotTaken) {
    Probe* a = new Probe("a");
    Probe* b = new Probe("b");
    AddWidget(a, 3);
    const WidgetHandle hb = AddWidget(b, 4);
    TakeCapture(b);
    TakeCapture(a);
    EXPECT_EQ(CapturedWidget, hb);
    EXPECT_FALSE(HoldsCapture(a));
    CapturedWidget = 40 << 16;  // a layer above 32 resolves to no widget
    EXPECT_FALSE(HoldsCapture(a));
    EXPECT_FALSE(a->OnMouseMove());
    CapturedWidget = hb;
    EXPECT_TRUE(b->OnMouseMove());
    EXPECT_TRUE(b->OnChar('x', 0));
    ReleaseWidgetCapture();
}

TEST_F(Registry, BringToFrontMovesWithinItsLayerOnly) {
    Probe* a = new Probe("a");
    const WidgetHandle ha = AddWidget(a, 3);
    AddWidget(new Probe("b"), 3);
    AddWidget(new Probe("c"), 4);
    BringWidgetToFront(ha);
    EXPECT_EQ(log, (std::vector<std::string>{"a front"}));
    log.clear();
    host.Frame();
    EXPECT_EQ(log, (std::vector<std::string>{"c hover", "a hover", "b hover", "b update", "a update", "c update"}));
}

TEST_F(Registry, BringToFrontWhileDispatchingWaits) {
    const WidgetHandle ha = AddWidget(new Probe("a"), 3);
    AddWidget(new Probe("b"), 3);
    BeginWidgetDispatch();
    BringWidgetToFront(ha);
    EXPECT_TRUE(log.empty());
    EndWidgetDispatch();
    EXPECT_EQ(log, (std::vector<std::string>{"a front"}));
    cList<WidgetEntry> order;
    CollectWidgets(order, true);
    ASSERT_EQ(order.Count(), 2);
    EXPECT_EQ(order[0].handle, ha);
}

TEST_F(Registry, AFrameOffersFrontFirstAndStopsAtTheConsumer) {
    AddWidget(new Probe("back"), 0);
    AddWidget(new Probe("middle", true), 3);
    AddWidget(new Probe("front"), 4);
    host.Press(kKeySpace);
    host.Frame();
    EXPECT_EQ(log, (std::vector<std::string>{"front key", "middle key", "front hover", "middle hover",
                                             "back hover-covered", "back update", "middle update", "front update"}));
}

// The registry's indexes (each widget's handle, each layer's order) against a
// model that scans plain lists, over a random run of everything that adds,
// removes, reorders and moves widgets between layers, inside and outside
// dispatch. The first widgets may be registered several times; the others
// once, and they may be destroyed, so a new one can come back at the freed
// address.
TEST_F(Registry, ItsIndexesAgreeWithAScanningModel) {
    struct Slots {
        std::vector<cWidget*> widgets;
        std::vector<uint32_t> uses;
        std::vector<int> freeSlots, order;
    } model[kWidgetLayerCount];
    struct Deferred {
        WidgetHandle handle;
        cWidget* widget;
        uint32_t use;
    };
    std::vector<Deferred> removals;
    std::vector<WidgetHandle> toFront;
    constexpr size_t kShared = 5;
    std::vector<cWidget*> pool(25);
    for (cWidget*& w : pool)
        w = new cWidget;
    const int layers[] = {0, 3, 4, 32};
    ASSERT_EQ(CountWidgets(), 0);

    auto at = [&](WidgetHandle h) -> cWidget*& { return model[WidgetLayer(h)].widgets[WidgetSlot(h)]; };
    auto use = [&](WidgetHandle h) { return model[WidgetLayer(h)].uses[WidgetSlot(h)]; };
    auto find = [&](const cWidget* w) {
        for (int l = 0; l < kWidgetLayerCount; ++l)
            for (size_t s = 0; s < model[l].widgets.size(); ++s)
                if (model[l].widgets[s] == w)
                    return MakeWidgetHandle(l, int(s));
        return -1;
    };
    auto toEnd = [&](WidgetHandle h, bool keep) {
        std::vector<int>& order = model[WidgetLayer(h)].order;
        const auto it = std::find(order.begin(), order.end(), WidgetSlot(h));
        if (it == order.end())
            return;
        order.erase(it);
        if (keep)
            order.push_back(WidgetSlot(h));
    };
    auto remove = [&](WidgetHandle h, bool destroy) {
        if (destroy)  // a new widget takes its place in the pool
            *std::find(pool.begin(), pool.end(), at(h)) = new cWidget;
        at(h) = nullptr;
        toEnd(h, false);
        model[WidgetLayer(h)].freeSlots.push_back(WidgetSlot(h));
    };
    auto handles = [&](bool freeToo) {
        std::vector<WidgetHandle> out;
        for (int l : layers)
            for (size_t s = 0; s < model[l].widgets.size(); ++s)
                if (freeToo || model[l].widgets[s])
                    out.push_back(MakeWidgetHandle(l, int(s)));
        return out;
    };
    auto mismatch = [&]() -> std::string {
        std::vector<WidgetHandle> want;
        for (int l = 0; l < kWidgetLayerCount; ++l)
            for (int s : model[l].order)
                want.push_back(MakeWidgetHandle(l, s));
        for (bool frontFirst : {false, true}) {
            cList<WidgetEntry> got;
            CollectWidgets(got, frontFirst);
            for (int i = 0; i < got.Count() && got.Count() == int(want.size()); ++i) {
                const WidgetHandle h = want[frontFirst ? want.size() - 1 - i : i];
                if (got[i].handle != h || got[i].widget != at(h))
                    return "the walk at " + std::to_string(i);
            }
            if (got.Count() != int(want.size()) || CountWidgets() != got.Count())
                return "the count";
        }
        for (const cWidget* w : pool)
            if (FindWidgetHandle(w) != find(w))
                return "a handle";
        return "";
    };

    std::mt19937 random(20240611);
    auto pick = [&](size_t n) { return size_t(random() % n); };
    bool dispatching = false;
    auto endDispatch = [&] {
        dispatching = false;
        for (const Deferred& d : removals)
            if (at(d.handle) == d.widget && use(d.handle) == d.use)
                remove(d.handle, true);
        for (WidgetHandle h : toFront)
            toEnd(h, true);
        removals.clear(), toFront.clear();
        EndWidgetDispatch();
    };
    enum Op { kAdd, kRemove, kDestroy, kFront, kDispatch, kEndDispatch };
    const Op ops[] = {kAdd, kAdd, kAdd, kRemove, kDestroy, kFront, kFront, kDispatch, kEndDispatch};
    for (int step = 0; step < 4000; ++step) {
        const std::vector<WidgetHandle> live = handles(false), slots = handles(true);
        const size_t i = pick(pool.size());
        const WidgetHandle h = live.empty() ? -1 : live[pick(live.size())];
        switch (ops[pick(std::size(ops))]) {
        case kAdd: {  // a move to another layer is a removal and an add
            if (i >= kShared && find(pool[i]) != -1)
                break;
            const int layer = layers[pick(std::size(layers))];
            Slots& l = model[layer];
            int slot = int(l.widgets.size());
            if (!l.freeSlots.empty()) {
                slot = l.freeSlots.back(), l.freeSlots.pop_back();
                l.widgets[slot] = pool[i], ++l.uses[slot];
            } else {
                l.widgets.push_back(pool[i]), l.uses.push_back(0);
            }
            l.order.push_back(slot);
            ASSERT_EQ(AddWidget(pool[i], layer), MakeWidgetHandle(layer, slot)) << step;
            break;
        }
        case kRemove:  // at once, even while dispatching
            if (h != -1)
                remove(h, false), RemoveWidget(h, false);
            break;
        case kDestroy:
            if (h == -1 || std::find(pool.begin() + kShared, pool.end(), at(h)) == pool.end())
                break;
            if (dispatching)
                removals.push_back({h, at(h), use(h)});
            else
                remove(h, true);
            RemoveWidget(h, true);
            break;
        case kFront: {  // free slots too, which have no place to move
            const WidgetHandle any = slots.empty() ? -1 : slots[pick(slots.size())];
            if (any != -1 && dispatching)
                toFront.push_back(any);
            else if (any != -1)
                toEnd(any, true);
            BringWidgetToFront(any);
            break;
        }
        case kDispatch:
            if (!dispatching)
                BeginWidgetDispatch(), dispatching = true;
            break;
        case kEndDispatch:
            if (dispatching)
                endDispatch();
            break;
        }
        ASSERT_EQ(mismatch(), "") << "step " << step;
    }
    if (dispatching)
        endDispatch();
    // The shared widgets leave undestroyed; the host destroys the registered rest.
    for (const WidgetHandle h : handles(false))
        if (std::find(pool.begin(), pool.begin() + kShared, at(h)) != pool.begin() + kShared)
            RemoveWidget(h, false);
    for (size_t i = 0; i < pool.size(); ++i)
        if (i < kShared || find(pool[i]) == -1)
            delete pool[i];
}

}  // namespace
}  // namespace tovan

// The widget registry: handles, slot reuse, deferred work while dispatching,
// the capture, and the order the frame loop walks.
#include <gtest/gtest.h>

#include <new>
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

}  // namespace
}  // namespace tovan

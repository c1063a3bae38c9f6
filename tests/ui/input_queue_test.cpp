// The input queue: order, refusals, what a pop writes to the input globals,
// the event counter and pushes from several threads.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "classes/debug.h"
#include "core/frame_clock.h"
#include "tests/support/fixed_view.h"
#include "tests/support/ui/frame_host.h"
#include "ui/input.h"

namespace tovan {
namespace {

cVec2 V(float x, float y) { return {x, y}; }

int Counter() { return cDebug::Instance()->m_InputEventsCount; }

struct Popped {
    InputEvent* event;
    explicit Popped(InputEvent* e) : event(e) {}
    ~Popped() { delete event; }
};

class InputQueue : public ::testing::Test {
protected:
    test::FrameHost host;  // a clean queue and globals
};

TEST_F(InputQueue, PopsInPushOrderAndFrontPushesFirst) {
    PushInputEvent(NewKeyEvent(1, true, 0, 0), false);
    PushInputEvent(NewKeyEvent(2, true, 0, 0), false);
    PushInputEvent(NewKeyEvent(3, true, 0, 0), true);
    PushInputEvent(NewKeyEvent(4, true, 0, 0), true);
    std::vector<int> codes;
    while (InputEvent* event = PopInputEvent()) {
        codes.push_back(event->m_Device.m_Code);
        delete event;
    }
    EXPECT_EQ(codes, (std::vector<int>{4, 3, 1, 2}));
}

TEST_F(InputQueue, OutOfRangeKeyCodesAreDroppedAndUncounted) {
    const int before = Counter();
    PushInputEvent(NewKeyEvent(124, true, 0, 0), false);
    PushInputEvent(NewKeyEvent(-1, true, 0, 0), false);
    PushInputEvent(nullptr, false);
    EXPECT_EQ(PopInputEvent(), nullptr);
    EXPECT_EQ(Counter(), before);
    PushInputEvent(NewKeyEvent(123, true, 0, 0), false);
    EXPECT_EQ(Counter(), before + 1);
    Popped p(PopInputEvent());
    ASSERT_NE(p.event, nullptr);
    EXPECT_EQ(p.event->m_Device.m_Code, 123);
}

TEST_F(InputQueue, ClearDropsEveryEventAndLiftsTheButtons) {
    MouseButtonDown[0] = MouseButtonDown[4] = true;
    const int before = Counter();
    for (int i = 0; i < 3; ++i)
        PushInputEvent(NewMotionEvent(1, 2, 0, 0), false);
    EXPECT_EQ(Counter(), before + 3);
    ClearInputEvents();
    EXPECT_EQ(Counter(), before);
    EXPECT_EQ(PopInputEvent(), nullptr);
    EXPECT_FALSE(MouseButtonDown[0]);
    EXPECT_FALSE(MouseButtonDown[4]);
}

TEST_F(InputQueue, PopOnEmptyQueueStillZeroesTheDeltas) {
    MouseDelta = {3, 4};
    WheelDelta = 2;
    DoubleClick = true;
    EXPECT_EQ(PopInputEvent(), nullptr);
    EXPECT_EQ(MouseDelta, V(0, 0));
    EXPECT_EQ(WheelDelta, 0.0f);
    EXPECT_FALSE(DoubleClick);
}

TEST_F(InputQueue, PopWritesTheInputGlobalsByEvent) {
    {  // motion: cursor and delta
        PushInputEvent(NewMotionEvent(10, 20, 3, -4), false);
        Popped p(PopInputEvent());
        EXPECT_EQ(CursorPosition, V(10, 20));
        EXPECT_EQ(RotatedCursorPosition, V(10, 20));
        EXPECT_EQ(MouseDelta, V(3, -4));
    }
    {  // a double-clicked button press: cursor, flag, down
        InputEvent* e = NewKeyEvent(kKeyRightButton, true, 5, 6);
        e->m_Device.m_DoubleClick = 1;
        PushInputEvent(e, false);
        Popped p(PopInputEvent());
        EXPECT_EQ(CursorPosition, V(5, 6));
        EXPECT_TRUE(DoubleClick);
        EXPECT_TRUE(IsKeyDown(kKeyRightButton));
        EXPECT_EQ(MouseDelta, V(0, 0));
    }
    {  // its release: up, and the double-click flag is not carried over
        PushInputEvent(NewKeyEvent(kKeyRightButton, false, 7, 8), false);
        Popped p(PopInputEvent());
        EXPECT_FALSE(IsKeyDown(kKeyRightButton));
        EXPECT_FALSE(DoubleClick);
        EXPECT_EQ(CursorPosition, V(7, 8));
    }
    {  // the wheel: delta only, never down, cursor kept
        InputEvent* e = NewKeyEvent(kKeyWheelDown, true, 100, 100);
        e->m_Device.m_Wheel = -2;
        PushInputEvent(e, false);
        Popped p(PopInputEvent());
        EXPECT_EQ(WheelDelta, -2.0f);
        EXPECT_FALSE(IsKeyDown(kKeyWheelDown));
        EXPECT_EQ(CursorPosition, V(7, 8));
    }
}

TEST_F(InputQueue, KeyboardKeysAreTrackedDownAndUp) {
    struct Step {
        KeyCode code;
        bool pressed;
    };
    const Step steps[] = {{0, true}, {92, true}, {kKeyEnter, true}, {0, false}, {kKeyEnter, false}};
    for (const Step& s : steps) {
        PushInputEvent(NewKeyEvent(s.code, s.pressed, 0, 0), false);
        Popped p(PopInputEvent());
        EXPECT_EQ(IsKeyDown(s.code), s.pressed) << s.code;
    }
    EXPECT_TRUE(IsKeyDown(92));
    EXPECT_FALSE(IsKeyDown(0));
}

TEST_F(InputQueue, IsKeyDownReadsTheTableOfEachRange) {
    PadDown[kKeyLeftThumbUp - kKeyFirstPad] = true;
    MouseButtonDown[kKeyXButton2 - kKeyLeftButton] = true;
    MouseButtonDown[kKeyWheelUp - kKeyLeftButton] = true;  // never read
    struct Case {
        KeyCode code;
        bool down;
    };
    const Case cases[] = {{kKeyLeftThumbUp, true},
                          {kKeyLeftThumbDown, false},
                          {kKeyXButton2, true},
                          {kKeyWheelUp, false},
                          {-1, false},
                          {124, false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsKeyDown(c.code), c.down) << c.code;
}

TEST_F(InputQueue, PushedPressesStampTheirTime) {
    host.SetClock(12.5f, 0.016f);
    PushInputEvent(NewKeyEvent(kKeySpace, true, 0, 0), false);
    PushInputEvent(NewKeyEvent(kKeyTab, false, 0, 0), false);
    EXPECT_EQ(KeyPressTimes[kKeySpace], 12.5f);
    EXPECT_EQ(KeyPressTimes[kKeyTab], 0.0f);
    ClearInputEvents();
    KeyPressTimes[kKeySpace] = 0;
}

struct Sides : cHomeButtonSides {
    bool right = false, left = false;
    bool HomeButtonOnTheRight() const override { return right; }
    bool HomeButtonOnTheLeft() const override { return left; }
};

TEST_F(InputQueue, RotatedCursorFollowsTheHomeButtonSide) {
    test::FixedView view = test::FixedView::Orthographic({0, 0, 800, 600}, {}, 1);
    Sides sides;
    HomeButtonSides = &sides;
    struct Case {
        bool right, left;
        cVec2 rotated;
    };
    const Case cases[] = {
        {false, false, {30, 40}},
        {true, false, {600 - 40, 30}},
        {false, true, {40, 800 - 30}},
        {true, true, {600 - 40, 30}},  // the right side wins
    };
    for (const Case& c : cases) {
        sides.right = c.right;
        sides.left = c.left;
        PushInputEvent(NewMotionEvent(30, 40, 0, 0), false);
        Popped p(PopInputEvent());
        EXPECT_EQ(RotatedCursorPosition, c.rotated) << c.right << c.left;
    }
    HomeButtonSides = nullptr;
}

TEST_F(InputQueue, ConcurrentPushesArriveWholeAndInOrderPerThread) {
    constexpr int kThreads = 4, kEach = 2000;
    const int before = Counter();
    std::atomic<bool> go{false};
    std::vector<std::thread> producers;
    for (int t = 0; t < kThreads; ++t) {
        producers.emplace_back([t, &go] {
            while (!go)
                std::this_thread::yield();
            for (int i = 0; i < kEach; ++i) {
                InputEvent* e = NewKeyEvent(t, i % 2 == 0, 0, 0);
                e->m_Device.m_Extra = i;
                PushInputEvent(e, false);
            }
        });
    }
    go = true;
    std::vector<int> next(kThreads, 0);
    int popped = 0;
    while (popped < kThreads * kEach) {
        InputEvent* e = PopInputEvent();
        if (!e) {
            std::this_thread::yield();
            continue;
        }
        const int t = e->m_Device.m_Code;
        ASSERT_GE(t, 0);
        ASSERT_LT(t, kThreads);
        EXPECT_EQ(e->m_Device.m_Extra, next[t]);  // each producer's events keep their order
        next[t] = e->m_Device.m_Extra + 1;
        delete e;
        ++popped;
    }
    for (std::thread& p : producers)
        p.join();
    EXPECT_EQ(PopInputEvent(), nullptr);
    EXPECT_EQ(Counter(), before + kThreads * kEach);  // popped events are the caller's, not dropped
}

}  // namespace
}  // namespace tovan

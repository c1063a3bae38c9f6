// The gesture tracker: pans from one touch, move-scale-turn from two.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/ui/frame_host.h"
#include "ui/input.h"

namespace tovan {
namespace {

// One popped event in short: "touch", or "g<gesture>.<phase>" with its values.
struct Seen {
    std::string what;
    GestureInput gesture{};
};

std::vector<Seen> PopAll() {
    std::vector<Seen> seen;
    while (InputEvent* e = PopInputEvent()) {
        Seen s;
        if (e->m_Kind == kInputTouch) {
            s.what = "touch";
        } else if (e->m_Kind == kInputGesture) {
            s.what = "g" + std::to_string(e->m_Gesture.m_Gesture) + "." + std::to_string(e->m_Gesture.m_Phase);
            s.gesture = e->m_Gesture;
        }
        seen.push_back(s);
        delete e;
    }
    return seen;
}

std::vector<std::string> Names(const std::vector<Seen>& seen) {
    std::vector<std::string> names;
    for (const Seen& s : seen)
        names.push_back(s.what);
    return names;
}

void Touch(int id, int phase, float x, float y) { PushInputEvent(NewTouchEvent(id, phase, x, y), false); }

class Gestures : public ::testing::Test {
protected:
    test::FrameHost host;  // a clean tracker
};

TEST_F(Gestures, OneTouchPansAheadOfEachTouch) {
    Touch(7, kTouchDown, 10, 10);
    Touch(7, kTouchMove, 13, 14);
    Touch(7, kTouchUp, 13, 14);
    const std::vector<Seen> seen = PopAll();
    EXPECT_EQ(Names(seen), (std::vector<std::string>{"g1.1", "touch", "g1.2", "touch", "g1.3", "touch"}));
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[0].gesture.m_X, 10.0f);
    EXPECT_EQ(seen[2].gesture.m_DeltaX, 3.0f);
    EXPECT_EQ(seen[2].gesture.m_DeltaY, 4.0f);
    EXPECT_EQ(seen[2].gesture.m_X, 13.0f);
    EXPECT_EQ(seen[2].gesture.m_Scale, 1.0f);
    EXPECT_EQ(seen[4].gesture.m_X, 0.0f);
}

TEST_F(Gestures, TwoTouchesScaleByTheRatioOfSquaredDistances) {
    struct Case {
        float from[4], to[4];  // a.x, a.y, b.x, b.y before and after b moves
        float scale, rotation;
    };
    const Case cases[] = {
        {{0, 0, 10, 0}, {0, 0, 20, 0}, 4.0f, 0.0f},      // 10 apart to 20 apart on one line
        {{0, 0, 10, 0}, {0, 0, 0, 10}, 1.0f, 90.0f},     // a quarter turn counter-clockwise
        {{0, 0, 10, 0}, {0, 0, 0, -10}, 1.0f, -90.0f},   // and clockwise
        {{0, 0, 10, 0}, {0, 0, -10, 0}, 1.0f, 180.0f},   // opposite
        {{0, 0, 0.5f, 0}, {0, 0, 0.9f, 0}, 1.0f, 0.0f},  // at most 1 apart: no scale, no turn
    };
    for (const Case& c : cases) {
        Touch(1, kTouchDown, c.from[0], c.from[1]);
        Touch(2, kTouchDown, c.from[2], c.from[3]);
        Touch(2, kTouchMove, c.to[2], c.to[3]);
        Touch(2, kTouchUp, c.to[2], c.to[3]);
        Touch(1, kTouchUp, c.to[0], c.to[1]);
        const std::vector<Seen> seen = PopAll();
        ASSERT_EQ(Names(seen), (std::vector<std::string>{"g1.1", "touch", "g1.3", "g2.1", "touch", "g2.2", "touch",
                                                         "g2.3", "g1.1", "touch", "g1.3", "touch"}));
        const GestureInput& change = seen[5].gesture;
        EXPECT_NEAR(change.m_Scale, c.scale, 1e-5f);
        EXPECT_NEAR(change.m_Rotation, c.rotation, 1e-3f);
        const float midX = (c.to[0] + c.to[2]) / 2, startMidX = (c.from[0] + c.from[2]) / 2;
        EXPECT_FLOAT_EQ(change.m_X, midX);
        EXPECT_FLOAT_EQ(change.m_DeltaX, midX - startMidX);
        EXPECT_FLOAT_EQ(seen[3].gesture.m_X, startMidX);
    }
}

TEST_F(Gestures, LiftingTheFirstOfTwoPansWithTheSecond) {
    Touch(1, kTouchDown, 0, 0);
    Touch(2, kTouchDown, 40, 50);
    Touch(1, kTouchUp, 0, 0);
    Touch(2, kTouchMove, 41, 52);
    Touch(2, kTouchUp, 41, 52);
    const std::vector<Seen> seen = PopAll();
    ASSERT_EQ(Names(seen), (std::vector<std::string>{"g1.1", "touch", "g1.3", "g2.1", "touch", "g2.3", "g1.1", "touch",
                                                     "g1.2", "touch", "g1.3", "touch"}));
    EXPECT_EQ(seen[6].gesture.m_X, 40.0f);  // the pan begins where the second touch is
    EXPECT_EQ(seen[6].gesture.m_Y, 50.0f);
    EXPECT_EQ(seen[8].gesture.m_DeltaX, 1.0f);
    EXPECT_EQ(seen[8].gesture.m_DeltaY, 2.0f);
}

TEST_F(Gestures, StrayTouchesAndPhasesAreIgnored) {
    Touch(1, kTouchDown, 0, 0);
    Touch(2, kTouchDown, 5, 0);
    Touch(3, kTouchDown, 9, 9);  // a third touch
    Touch(3, kTouchMove, 9, 9);
    Touch(3, kTouchUp, 9, 9);
    Touch(1, 4, 0, 0);  // no such phase
    const std::vector<Seen> seen = PopAll();
    EXPECT_EQ(Names(seen),
              (std::vector<std::string>{"g1.1", "touch", "g1.3", "g2.1", "touch", "touch", "touch", "touch", "touch"}));
}

}  // namespace
}  // namespace tovan

// The resampling commands' questions, as the user reads them, answered both ways.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classes/member.h"
#include "core/frame_clock.h"
#include "tests/tools/question_answers.h"
#include "tools/spline.h"
#include "win32/question_box.h"

namespace tovan {
namespace {

using Asked = std::vector<std::string>;

TEST(SplineQuestions, AskFirstAndChangeNothingOnNo) {
    struct Case {
        void (cSpline::*command)();
        int32_t count;
        float error;
        const char* question;
    };
    const Case cases[] = {
        {&cSpline::SetUniformSampled, 1, 0,
         "Confirm Set Uniform Sampled: Are you sure you want to set uniform sampled spline with 3 nodes ?"},
        {&cSpline::SetAdaptiveSampled, 1, 0,
         "Confirm Set Adaptive Sampled: Are you sure you want to set adaptive sampled spline with error 0.00 ?"},
        {&cSpline::SetAdaptiveSampled, 1, 12.345f,
         "Confirm Set Adaptive Sampled: Are you sure you want to set adaptive sampled spline with error 12.35 ?"},
    };
    for (const Case& c : cases) {
        for (int answer : {kAnswerNo, kAnswerYes}) {
            std::unique_ptr<cSpline> spline(static_cast<cSpline*>(SharedPrototype<cSpline>()->CreateInstance()));
            for (float x : {0.0f, 10.0f}) {
                auto* node = static_cast<cSpline_Node*>(SharedPrototype<cSpline_Node>()->CreateInstance());
                node->SetPoints({{x, 5, 0}, {x, 0, 0}, {x, -5, 0}});  // a bent curve
                spline->m_Nodes.AddItem(node);
            }
            spline->m_SetUniformSampledNodeCount = c.count;
            spline->m_SetAdaptiveSampledMaxErrSq = c.error;
            const Asked asked = test::AnswerQuestions(answer, [&] { (spline.get()->*c.command)(); });
            EXPECT_EQ(asked, Asked{c.question});
            EXPECT_EQ(spline->m_Nodes.Count() > 2, answer == kAnswerYes) << c.question;
        }
    }
    FrameClock.m_PausedForDialog = false;
}

}  // namespace
}  // namespace tovan

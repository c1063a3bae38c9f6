// Set-up shared by the class-engine tests.
#include "tests/classes/class_test_support.h"

#include <gtest/gtest.h>

#include "core/log.h"

namespace tovan::test {

namespace {

// Outside a LogCapture a warning is a test failure, never a modal window.
class UnexpectedWarnings : public ::testing::Environment, private LogObserver {
public:
    void SetUp() override { m_Previous = SetLogObserver(this); }
    void TearDown() override { SetLogObserver(m_Previous); }

private:
    void OnMessage(bool warning, const char* text) override {
        if (warning)
            ADD_FAILURE() << "unexpected warning: " << text;
    }
    int OnLogWindow(LogWindowMode) override { return kLogIgnore; }

    LogObserver* m_Previous = nullptr;
};

const auto* const g_UnexpectedWarnings = ::testing::AddGlobalTestEnvironment(new UnexpectedWarnings);

}  // namespace

std::string SaveText(cClass& object) {
    cStr text;
    EXPECT_TRUE(object.SaveToText(text));
    return text.GetText();
}

}  // namespace tovan::test

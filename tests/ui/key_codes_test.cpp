// Key names: one table in code order, 124 long.
#include <gtest/gtest.h>

#include "ui/input.h"
#include "ui/key_codes.h"

namespace tovan {
namespace {

TEST(KeyCodes, NamesStandAtTheirCodes) {
    struct Case {
        KeyCode code;
        const char* name;
    };
    const Case cases[] = {
        {0, "Esc"},
        {12, "F12"},
        {13, "0"},
        {24, "="},
        {25, "BackSpace"},
        {37, "Right"},
        {38, "\\"},
        {39, "Enter"},
        {46, "/"},
        {50, "Space"},
        {51, "~"},
        {52, "A"},
        {77, "Z"},
        {78, "NumPad0"},
        {87, "NumPad9"},
        {92, "Decimal"},
        {93, "LeftButton"},
        {96, "WheelUp"},
        {99, "XButton2"},
        {100, "DpadUp"},
        {105, "Back"},
        {107, "LeftThumbUp"},
        {115, "RightThumbRight"},
        {118, "(A)"},
        {123, "RightTrigger"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(GetKeyName(c.code), c.name) << c.code;
}

TEST(KeyCodes, TableHoldsExactly124Names) {
    EXPECT_EQ(GetKeyName(-1), nullptr);
    EXPECT_EQ(GetKeyName(124), nullptr);
    for (KeyCode code = 0; code < kKeyCodeCount; ++code) {
        ASSERT_NE(GetKeyName(code), nullptr) << code;
        EXPECT_NE(GetKeyName(code)[0], '\0') << code;
    }
    InitInput();
    ASSERT_EQ(KeyNames.Count(), 124);
    EXPECT_EQ(KeyNames[26], "Tab");
    EXPECT_EQ(KeyNames[123], "RightTrigger");
    EXPECT_EQ(KeyPressTimes.Count(), 124);
    EXPECT_EQ(KeyStates.m_Down.Count(), 93);
    ASSERT_EQ(KeyStates.m_Values.Count(), 93);
    EXPECT_EQ(KeyStates.m_Values[0], -1);
}

TEST(KeyCodes, NamedConstantsMatchTheTable) {
    struct Case {
        KeyCode code;
        const char* name;
    };
    const Case cases[] = {
        {kKeyUp, "Up"},
        {kKeyDown, "Down"},
        {kKeyTab, "Tab"},
        {kKeyEnter, "Enter"},
        {kKeySpace, "Space"},
        {kKeyLeftButton, "LeftButton"},
        {kKeyMiddleButton, "MiddleButton"},
        {kKeyWheelDown, "WheelDown"},
        {kKeyLeftThumbDown, "LeftThumbDown"},
        {kKeyRightThumbUp, "RightThumbUp"},
        {kKeyPadA, "(A)"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(GetKeyName(c.code), c.name);
}

}  // namespace
}  // namespace tovan

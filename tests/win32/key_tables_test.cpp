// The virtual-key tables of the windowed start-up.
#include "ui/key_codes.h"
#include "win32/key_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tovan {
namespace {

class KeyTables : public ::testing::Test {
protected:
    void SetUp() override { BuildKeyCodeTables(); }
};

TEST_F(KeyTables, SizesAndTheKeysThatDifferFromTheWindowsOrder) {
    ASSERT_EQ(KeyCodeTable.Count(), 93);
    ASSERT_EQ(KeyCodeByVirtualKey.Count(), 256);
    struct Case {
        int virtualKey;
        KeyCode code;
        const char* name;
    };
    const Case cases[] = {
        {27, 0, "Esc"},   {112, 1, "F1"},        {123, 12, "F12"},      {48, 13, "0"},        {57, 22, "9"},
        {189, 23, "-"},   {187, 24, "="},        {8, 25, "BackSpace"},  {20, 27, "CapsLock"}, {36, 30, "Home"},
        {35, 31, "End"},  {33, 32, "PageUp"},    {34, 33, "PageDown"},  {38, 34, "Up"},       {40, 35, "Down"},
        {37, 36, "Left"}, {39, 37, "Right"},     {220, 38, "\\"},       {13, 39, "Enter"},    {219, 40, "["},
        {221, 41, "]"},   {186, 42, ";"},        {222, 43, "'"},        {188, 44, ","},       {190, 45, "."},
        {191, 46, "/"},   {16, 47, "Shift"},     {17, 48, "Control"},   {18, 49, "Alt"},      {32, 50, "Space"},
        {192, 51, "~"},   {65, 52, "A"},         {90, 77, "Z"},         {96, 78, "NumPad0"},  {105, 87, "NumPad9"},
        {107, 88, "Add"}, {109, 89, "Subtract"}, {106, 90, "Multiply"}, {111, 91, "Divide"},  {110, 92, "Decimal"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyCodeByVirtualKey[c.virtualKey], c.code) << c.virtualKey;
        EXPECT_EQ(KeyCodeTable[c.code], c.virtualKey) << c.code;
        EXPECT_EQ(std::string(GetKeyName(KeyCodeOfVirtualKey(uint32_t(c.virtualKey)))), c.name) << c.virtualKey;
    }
}

TEST_F(KeyTables, VirtualKeysWithoutACodeGiveMinusOne) {
    std::set<int> none = {0, 1, 2, 4, 91, 92, 93, 95, 108, 124, 135, 160, 173, 185, 193, 218, 223};
    for (int virtualKey = 223; virtualKey < 256; ++virtualKey)
        none.insert(virtualKey);
    for (int virtualKey : none) {
        EXPECT_EQ(KeyCodeByVirtualKey[virtualKey], -1) << virtualKey;
        EXPECT_EQ(KeyCodeOfVirtualKey(uint32_t(virtualKey)), -1) << virtualKey;
    }
    for (uint32_t outside : {256u, 1000u, 0xFFFFFFFFu})
        EXPECT_EQ(KeyCodeOfVirtualKey(outside), -1) << outside;
}

TEST_F(KeyTables, EachKeyCodeHasItsOwnVirtualKeyBothWays) {
    int coded = 0;
    for (int virtualKey = 0; virtualKey < 256; ++virtualKey) {
        const int code = KeyCodeByVirtualKey[virtualKey];
        if (code < 0)
            continue;
        ++coded;
        ASSERT_LT(code, 93);
        EXPECT_EQ(KeyCodeTable[code], virtualKey);
    }
    EXPECT_EQ(coded, 93);
    BuildKeyCodeTables();  // again: the same tables, not appended ones
    EXPECT_EQ(KeyCodeTable.Count(), 93);
    EXPECT_EQ(KeyCodeByVirtualKey.Count(), 256);
    EXPECT_EQ(KeyCodeByVirtualKey[65], 52);
}

}  // namespace
}  // namespace tovan

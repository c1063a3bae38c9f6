// Natively the code-page conversion widens each byte, so bytes above 127 keep their value.
#include "core/dialog_template.h"
#include "core/os.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

TEST(DialogTemplateHeadless, HighBytesWidenToTheirValue) {
    cDialogTemplate t;
    t.Begin("\xE9\xFF", 0, 0, 10, 10, nullptr);
    ASSERT_EQ(t.Size(), 28);
    EXPECT_EQ(t.Data()[22], 0xE9);
    EXPECT_EQ(t.Data()[23], 0x00);
    EXPECT_EQ(t.Data()[24], 0xFF);
    EXPECT_EQ(t.Data()[25], 0x00);
}

TEST(DialogTemplateHeadless, ConversionRefusesAShortBuffer) {
    uint16_t units[3];
    EXPECT_EQ(os::AnsiToWide("abc", nullptr, 0), 4);
    EXPECT_EQ(os::AnsiToWide("abc", units, 3), 0);
    EXPECT_EQ(os::AnsiToWide(nullptr, nullptr, 0), 0);
}

}  // namespace
}  // namespace tovan

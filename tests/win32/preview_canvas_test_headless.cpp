// The no-preview mark takes its colour from the system's scheme, which the
// headless double lets a test choose.
#include "core/os.h"
#include "core/os_headless.h"
#include "win32/preview_canvas.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

ColorBytes Centre(const PreviewCanvas& canvas) {
    const int x = canvas.Width() / 2, y = canvas.Height() / 2;
    const uint8_t* p = canvas.Bits() + (canvas.Height() - 1 - y) * canvas.Stride() + 3 * x;
    return {p[2], p[1], p[0]};
}

TEST(PreviewCanvasHeadless, NoPreviewMarkUsesTheButtonShadowColour) {
    struct Case {
        bool scripted;
        uint32_t color;
        ColorBytes expected;
    };
    const Case cases[] = {
        {false, 0, {0xA0, 0xA0, 0xA0}},  // the classic scheme
        {true, 0x00332211, {0x11, 0x22, 0x33}},
        {true, 0xFF000080, {0x80, 0, 0}},  // the top byte is not a channel
    };
    for (const Case& c : cases) {
        os::headless::Reset();
        if (c.scripted)
            os::headless::SetSystemColor(os::kColorButtonShadow, c.color);
        PreviewCanvas canvas;
        InitDibHeader(canvas, 64, 64);
        canvas.Fill({255, 255, 255});
        canvas.DrawNoPreview();
        EXPECT_EQ(Centre(canvas), c.expected) << std::hex << c.color;
    }
    os::headless::Reset();
    EXPECT_EQ(os::SystemColor(os::kColorButtonShadow), 0xA0A0A0u);
}

}  // namespace
}  // namespace tovan

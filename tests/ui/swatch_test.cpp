// The colour and image swatches and the separator inside a form: their
// rectangles, the image swatch's size from the texture, and their items.
#include "ui/swatch.h"

#include <gtest/gtest.h>

#include "io/image/format.h"
#include "tests/support/recording_renderer.h"
#include "tests/ui/form_test_support.h"
#include "ui/separator.h"
#include "ui/tool_bar.h"

namespace tovan {
namespace {

using test::FormFixture;

class Swatches : public FormFixture {
protected:
    Swatches() {
        WidgetStyle::Swatch& s = style.m_Swatch;
        s.m_Width = 30, s.m_Height = 14;
        s.m_ImageWidth = 40, s.m_ImageHeight = 20;
        s.m_AlphaImageWidth = 50, s.m_AlphaImageHeight = 24;
        style.m_Edit.m_Height = 12;
        style.m_CaptionPadding = 2;
        style.m_Separator.m_Height = 2;
        style.m_Separator.m_CaptionHeight = 10;
        style.m_ToolBar.m_SeparatorWidth = 6;
    }
    // The item the widget drew in the last frame.
    const WidgetDrawItem& Drawn(int kind) {
        style.Clear();
        host.Frame();
        for (const test::DrawnItem& d : style.Items())
            if (d.item.m_Kind == kind)
                return d.item;
        static const WidgetDrawItem none;
        ADD_FAILURE() << "no item " << kind;
        return none;
    }
    test::RecordingRenderer device;
};

TEST_F(Swatches, AColourSwatchShowsTheBoundColourBesideItsCaption) {
    cColor tint{0.25f, 0.5f, 0.75f, 1};
    cColorSwatch* swatch = Add<cColorSwatch>(form, static_cast<const cColor*>(&tint), "Tint", 10.0f, -10.0f);
    const WidgetDrawItem& item = Drawn(kItemColorSwatch);
    EXPECT_EQ(swatch->GetType(), kColorSwatchType);
    EXPECT_EQ(item.m_Rect, (cRect{114, 352, 144, 366}));
    EXPECT_EQ(item.m_CaptionRect, (cRect{110, 352, 114, 366}));  // no font: the caption is its padding
    EXPECT_EQ(swatch->GetRect(), (cRect{6, -24, 40, -10}));
    EXPECT_STREQ(item.m_Text.GetText(), "Tint");
    EXPECT_EQ(item.m_Color.r, 0.25f);
    EXPECT_EQ(item.m_Color.b, 0.75f);
    tint.g = 0.125f;  // read again every frame
    EXPECT_EQ(Drawn(kItemColorSwatch).m_Color.g, 0.125f);
}

TEST_F(Swatches, AnImageSwatchTakesTheTexturesShapeWithinTheStyleHeight) {
    struct Case {
        int32_t image;
        ImageFormat format;
        int width, height;
        cRect rect;  // in the form's client
    };
    const Case cases[] = {
        {-1, ImageFormat::Rgba8, 100, 100, {114, 346, 154, 366}},  // none: the style's size, nothing asked
        {-7, ImageFormat::Rgba8, 100, 100, {114, 346, 154, 366}}, {3, ImageFormat::Rgb8, 100, 50, {114, 346, 154, 366}},
        {3, ImageFormat::Rgb8, 100, 100, {114, 346, 134, 366}},   // 40 high: narrowed to the height
        {3, ImageFormat::Rgb8, 400, 10, {114, 354, 154, 366}},    // never below the edit height
        {3, ImageFormat::Rgb8, 300, 100, {114, 353, 154, 366}},   // 13.3 rounds to 13
        {3, ImageFormat::Rgb8, 0, 100, {114, 346, 154, 366}},     // no width: no aspect
        {3, ImageFormat::Rgba8, 100, 100, {114, 342, 138, 366}},  // four channels: the alpha size
        {3, ImageFormat::Dxt5, 200, 100, {114, 342, 162, 366}},   // 50 x 25, narrowed to 48 x 24
    };
    int32_t image = -1;
    cImageSwatch* swatch = Add<cImageSwatch>(form, static_cast<const int32_t*>(&image), "", 10.0f, -10.0f);
    for (const Case& c : cases) {
        image = c.image;
        device.SetTexture(3, {c.width, c.height, 1, int(c.format), 1});
        device.ClearCalls();
        const WidgetDrawItem& item = Drawn(kItemImageSwatch);
        EXPECT_EQ(item.m_Rect, c.rect) << c.image << " " << c.width << "x" << c.height;
        EXPECT_EQ(item.m_Image, c.image);
        EXPECT_TRUE(item.m_CaptionRect.IsEmpty());
        if (c.image < 0) {
            EXPECT_TRUE(device.Calls().empty()) << "asked about texture " << c.image;
        }
    }
    EXPECT_EQ(swatch->GetType(), kImageSwatchType);
}

TEST_F(Swatches, ASeparatorRunsAcrossItsParentOrUpAToolBar) {
    form->m_FixedContentWidth = true;  // as wide as the view, as a panel is
    cSeparator* line = Add<cSeparator>(form, "Group");
    const WidgetDrawItem& item = Drawn(kItemSeparator);
    EXPECT_EQ(line->GetType(), kSeparatorType);
    EXPECT_EQ(item.m_Rect, (cRect{104, 374, 396, 376}));  // the client's width, from its top
    EXPECT_EQ(line->GetExtent(), 292);
    EXPECT_STREQ(item.m_Text.GetText(), "Group");
    EXPECT_EQ(item.m_CaptionRect, (cRect{104, 370, 104, 380}));  // no font: no width, centred on the line
    EXPECT_FALSE(line->OnKeyDown(kKeyLeftButton));

    cToolBar* bar = new cToolBar(form);
    form->m_Extra = bar;
    AddWidget(bar, kFormLayer);
    cSeparator* upright = Add<cSeparator>(static_cast<cWnd*>(bar), "");
    host.Frame();
    // Upright, as tall as the bar's content {104, 358, 396, 374}.
    EXPECT_EQ(upright->m_DrawnLine, (cRect{104, 358, 110, 374}));
    EXPECT_TRUE(upright->m_DrawnCaption.IsEmpty());
}

}  // namespace
}  // namespace tovan

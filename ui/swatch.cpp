// cColorSwatch and cImageSwatch: measuring the swatch and its caption, and
// their items.
#include "ui/swatch.h"

#include "core/render_device.h"
#include "io/image/format.h"
#include "ui/control.h"
#include "ui/rect_ops.h"
#include "ui/widget_style.h"

namespace tovan {

cSwatch::cSwatch(cWnd* parent, const char* caption, float x, float y) : cWnd(parent) {
    StartControl(*this);
    m_Caption.SetText(caption);
    m_LayoutX = x;
    m_LayoutY = y;
    m_Align = 0;
}

cSwatch::~cSwatch() = default;

void cSwatch::MeasureSwatch(float width, float height) {
    const WidgetStyle& style = Style();
    m_SwatchRect = {0, -height, width, 0};
    m_SwatchRect.MoveAnchorTo(m_Align, m_LayoutX, m_LayoutY);
    m_CaptionRect = cRect::Empty();
    if (!m_Caption.IsEmpty()) {
        const float side = TextWidth(style.m_Swatch.m_Font, m_Caption.GetText()) + 2 * style.m_CaptionPadding;
        m_CaptionRect = {m_SwatchRect.x0 - side, m_SwatchRect.y0, m_SwatchRect.x0, m_SwatchRect.y1};
    }
    m_Whole = UnionRect(m_SwatchRect, m_CaptionRect);
}

// Moved by the content's top-left corner as every control is: the position a
// container hands out is already measured from there, whatever the anchor.
void cSwatch::Layout() {
    if (ParentContent(*this).IsEmpty())
        return;
    Measure();
    m_Rect = RoundRect(ToParentContent(*this, m_SwatchRect));
    m_DrawnCaption = RoundRect(ToParentContent(*this, m_CaptionRect));
    m_Client = cRect::Empty();
    cWnd::Layout();
}

void cSwatch::Update() {
    AnimateFades();
    if (ParentContent(*this).IsEmpty())
        return;
    Layout();
    WidgetDrawItem item;
    item.m_Clip = ParentClip(*this);
    item.m_Rect = m_Rect;
    item.m_Text = m_Caption;
    item.m_CaptionRect = m_DrawnCaption;
    item.m_Enabled = IsEnabled();
    item.m_EnabledFade = m_EnabledFade.m_Value;
    item.m_Visible = IsVisible();
    item.m_VisibleFade = m_VisibleFade.m_Value;
    item.m_ActiveFade = m_Parent->GetActiveFade();
    item.m_Opacity = m_Parent->GetOpacity();
    FillSwatchItem(item);
    DrawControlItem(*this, item);
}

cColorSwatch::cColorSwatch(cWnd* parent, const cColor* color, const char* caption, float x, float y)
    : cSwatch(parent, caption, x, y), m_Color(color) {}

int cColorSwatch::GetType() { return kColorSwatchType; }

void cColorSwatch::Measure() {
    const WidgetStyle::Swatch& style = Style().m_Swatch;
    MeasureSwatch(style.m_Width, style.m_Height);
}

void cColorSwatch::FillSwatchItem(WidgetDrawItem& item) {
    item.m_Kind = kItemColorSwatch;
    if (m_Color)
        item.m_Color = *m_Color;
}

cImageSwatch::cImageSwatch(cWnd* parent, const int32_t* image, const char* caption, float x, float y)
    : cSwatch(parent, caption, x, y), m_Image(image) {}

int cImageSwatch::GetType() { return kImageSwatchType; }

void cImageSwatch::Measure() {
    const WidgetStyle& style = Style();
    float width = style.m_Swatch.m_ImageWidth, height = style.m_Swatch.m_ImageHeight;
    const int32_t image = m_Image ? *m_Image : -1;
    // No texture is never asked about: -1 (or any negative id) names none.
    if (image >= 0 && RenderDevice) {
        const ImageFormatInfo* info = GetImageFormatInfo(ImageFormat(RenderDevice->GetTextureFormat(image)));
        if (info && info->components == 4)
            width = style.m_Swatch.m_AlphaImageWidth, height = style.m_Swatch.m_AlphaImageHeight;
        const float limit = height;
        const int textureWidth = RenderDevice->GetTextureWidth(image);
        if (textureWidth > 0) {
            const float aspect = width * float(RenderDevice->GetTextureHeight(image)) / float(textureWidth);
            height = aspect > style.m_Edit.m_Height ? aspect : style.m_Edit.m_Height;
            if (height > limit) {
                width = width * limit / height;
                height = limit;
            }
        }
    }
    MeasureSwatch(RoundPixel(width), RoundPixel(height));
}

void cImageSwatch::FillSwatchItem(WidgetDrawItem& item) {
    item.m_Kind = kItemImageSwatch;
    item.m_Image = m_Image ? *m_Image : -1;
}

}  // namespace tovan

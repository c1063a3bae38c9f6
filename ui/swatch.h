// cColorSwatch and cImageSwatch: a colour or a texture of the edited object
// shown beside a caption. They take no input. Items 43 (colour, its four
// floats in m_Color) and 42 (image, its id in m_Image) carry the swatch in
// m_Rect, the caption in m_Text and its rectangle in m_CaptionRect.
#pragma once
#include <cstdint>

#include "core/rect.h"
#include "core/str.h"
#include "core/vec.h"
#include "ui/wnd.h"

namespace tovan {

// What both swatches share: the caption left of the swatch and their layout.
class cSwatch : public cWnd {
public:
    ~cSwatch() override;

    bool OnKeyDown(KeyCode) override { return false; }  // not even cWnd's scrolling
    void Update() override;
    cRect GetRect() override { return m_Whole; }
    void Layout() override;

    cStr m_Caption;
    cRect m_Whole;        // measured: swatch and caption
    cRect m_SwatchRect;   // measured
    cRect m_CaptionRect;  // measured; empty without a caption
    cRect m_DrawnCaption;

protected:
    cSwatch(cWnd* parent, const char* caption, float x, float y);
    // Places a swatch of this size at the position and the caption left of it.
    void MeasureSwatch(float width, float height);
    virtual void FillSwatchItem(WidgetDrawItem& item) = 0;
};

class cColorSwatch : public cSwatch {
public:
    cColorSwatch(cWnd* parent, const cColor* color, const char* caption, float x, float y);
    int GetType() override;
    void Measure() override;

    const cColor* m_Color;

private:
    void FillSwatchItem(WidgetDrawItem& item) override;
};

class cImageSwatch : public cSwatch {
public:
    // image: a texture id of the render device, -1 for none.
    cImageSwatch(cWnd* parent, const int32_t* image, const char* caption, float x, float y);
    int GetType() override;
    // The style's size (its alpha size for a 4-channel texture), made to the
    // texture's aspect and kept within the style's height.
    void Measure() override;

    const int32_t* m_Image;

private:
    void FillSwatchItem(WidgetDrawItem& item) override;
};

}  // namespace tovan

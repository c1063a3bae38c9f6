// WidgetStyle: the look of the widgets, supplied by the host through
// CurrentWidgetStyle. Widgets fill one WidgetDrawItem per item they draw and
// hand it to DrawItem from inside their Update; the style must not keep
// pointers into the item, which the widget releases after the call. Sizes are
// pixels, rates fade units per second, delays seconds.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/mat.h"
#include "core/rect.h"
#include "core/str.h"
#include "core/vec.h"

namespace tovan {

// One drawn item. The fields keep this order; which of them a kind fills is
// each widget's business (scroll parts 1 to 12, controls 32 to 43).
struct WidgetDrawItem {
    int32_t m_Kind = 0;
    cRect m_Clip;
    cRect m_Rect;
    bool m_Pressed = false;
    bool m_Active = false;
    float m_ActiveFade = 0;
    float m_HoverFade = 0;  // a scroll part's part fade, a list's highlight fade
    cStr m_Text;            // caption, edit text or chosen item
    cMat4 m_Transform;      // the control's grow
    float m_ValueFade = 0;  // check fade, knob highlight or combo highlight
    cStr m_Text2;           // value text, key name or caption
    cRect m_CaptionRect;    // a slider's knob
    cRect m_SliderCaptionRect;
    cStr m_MinText;
    cStr m_MaxText;
    cRect m_LeftLabelRect;
    cRect m_TrackRect;
    bool m_Checked = false;
    bool m_Enabled = false;  // scroll parts: the bar is needed
    float m_EnabledFade = 0;
    bool m_Visible = false;
    float m_VisibleFade = 0;
    const cList<cStr>* m_ItemTexts = nullptr;  // lists only
    const cList<cRect>* m_ItemRects = nullptr;
    int32_t m_ListIndex = 0;  // relative to the first visible item
    bool m_KeyFocus = false;
    bool m_ListScrollBar = false;
    int32_t m_Caret = 0;
    int32_t m_SelectionStart = 0;
    int32_t m_SelectionLength = 0;
    float m_CaretBlink = 0;
    float m_ScrollOffset = 0;
    bool m_ReadOnly = false;
    int32_t m_Image = -1;
    float m_Opacity = 1;
    cColor m_Color;
};

class WidgetStyle {
public:
    virtual ~WidgetStyle();                           // never called by the toolkit
    virtual void DrawItem(WidgetDrawItem* item) = 0;  // draws one item

    // Fades and grow.
    uint8_t m_FocusFollowsHover = 0;
    float m_HoverFadeRate = 0;    // also scroll parts, knob highlight and list highlight
    float m_VisibleFadeRate = 0;  // also the check fade
    float m_EnabledFadeRate = 0;
    float m_ActiveFadeRate = 0;
    float m_SteppingGrow = 0;
    float m_RestGrow = 0;
    float m_HoverGrow = 0;
    float m_GrowRate = 0;

    // Scroll bars and frames.
    float m_ScrollBarThickness = 0;
    float m_ArrowLength = 0;
    float m_MinThumbLength = 0;
    float m_ArrowStep = 0;
    float m_WheelStep = 0;
    float m_RepeatDelay = 0;
    float m_RepeatInterval = 0;
    uint8_t m_BarsTakeRoom = 0;
    float m_VerticalBarOffsets[3] = {};
    float m_HorizontalBarOffsets[3] = {};
    float m_FrameWidth = 0;
    float m_CornerSize = 0;

    // Layout.
    float m_RowSpacing = 0;
    float m_ControlGap = 0;
    float m_ButtonGap = 0;
    float m_CaptionPadding = 0;
    float m_ScrollBarWidth = 0;
    uint8_t m_ListScrollBarInside = 0;
    float m_MinCaptionWidth = 0;

    struct Button {
        int32_t m_Font = -1;
        float m_Padding = 0;
        float m_MinTextWidth = 0;
        float m_Height = 0;
        float m_ImageButtonWidth = 0, m_ImageButtonHeight = 0;
        float m_SmallButtonWidth = 0, m_SmallButtonHeight = 0;
    } m_Button;

    struct Bind {
        int32_t m_Font = -1;
        float m_Padding = 0;
        float m_KeyMinWidth = 0;
        float m_CaptionMinWidth = 0;
        float m_Height = 0;
        uint8_t m_OuterCaption = 0;
    } m_Bind;

    struct Slider {
        int32_t m_Font = -1;
        float m_Width = 0;
        float m_Height = 0;
        float m_LeftLabelWidth = 0, m_RightLabelWidth = 0;
        float m_LabelPadding = 0;
        int32_t m_FloatDecimals = 0;
        int32_t m_IntDecimals = 0;
        int32_t m_LeftLabelMode = 0, m_TrackMode = 0, m_RightLabelMode = 0;
        uint8_t m_Caption = 0;
        cStr m_SampleText;
        float m_FloatStepDivisor = 0;
        float m_IntStepDivisor = 0;
    } m_Slider;

    struct CheckBox {
        int32_t m_Font = -1;
        float m_Padding = 0;
        float m_Height = 0;
        float m_MinTextWidth = 0;
    } m_CheckBox;

    struct Combo {
        int32_t m_Font = -1;
        float m_Paddings[2] = {};
        float m_Height = 0;
        float m_MinWidth = 0;
        uint8_t m_ClickToOpen = 0;
        float m_ListPadding = 0;
        float m_ListItemHeight = 0;
        uint8_t m_ModalList = 0;
        int32_t m_MaxVisibleItems = 0, m_MinVisibleItems = 0;
    } m_Combo;

    struct Edit {
        int32_t m_Font = -1;
        float m_Margin = 0;
        float m_Height = 0;
        float m_NumberWidth = 0;
        float m_TextWidth = 0;
        float m_EndInset = 0;
        uint8_t m_CaptionAnchoring = 0;
    } m_Edit;

    struct Separator {
        int32_t m_Font = -1;
        float m_Height = 0;
        float m_CaptionHeight = 0;
    } m_Separator;

    struct ToolBar {
        float m_Height = 0;
        float m_Margin = 0;
        float m_SeparatorWidth = 0;
    } m_ToolBar;

    // Forms: the title bar and its buttons hang from the rect's top edge; the
    // client lies inside the four insets (the top one includes the title).
    struct Form {
        float m_TitleHeight = 0;
        float m_ButtonSize = 0;        // close, maximise and collapse squares, from the right
        float m_ButtonGap = 0;         // between them and from the right edge
        float m_ClientInsets[4] = {};  // left, top, right, bottom
        float m_CollapsedWidth = 0, m_CollapsedHeight = 0;
        float m_DockingSize = 0;  // the corner boxes docked to the parent's area
        float m_SizeGrip = 0;     // the grip square in the bottom-right corner
        float m_DragOpacity = 1;  // while moved or resized
        float m_FocusMargin = 0;  // kept around a control scrolled into view
        uint8_t m_WrapFocus = 0;  // focus steps wrap from the last control to the first
    } m_Form;

    struct Panel {
        float m_HeaderHeight = 0;
        float m_HeaderInsets[4] = {};  // left, bottom, right, top within the header strip
        float m_ToggleSize = 0;        // the toggle square at the header's left
        float m_ToggleInset = 0;
        float m_ClientInsets[4] = {};  // left, top, right, bottom of the client below the header
        float m_BottomMargin = 0;
        float m_Margin = 0;  // before a child panel at the top
        float m_CaptionRatio = 0;
        float m_NestingIndent = 0;
        uint8_t m_HalfSplit = 0;   // children split at half the width
        uint8_t m_FixedFocus = 0;  // fixed panels take the focus
        uint8_t m_ToggleOnRelease = 0;
        // Press fade targets.
        float m_PressValue = 0, m_ReleaseValue = 0, m_HoverValue = 0, m_NormalValue = 0;
    } m_Panel;

    struct Label {
        int32_t m_Font = -1;  // the caption's
        float m_Height = 0;
        float m_InnerMargin = 0;
        float m_MinWidth = 0;
        float m_TextMargin = 0;
    } m_Label;

    struct Swatch {
        int32_t m_Font = -1;
        float m_Width = 0, m_Height = 0;
        float m_ImageWidth = 0, m_ImageHeight = 0;
        float m_AlphaImageWidth = 0, m_AlphaImageHeight = 0;
    } m_Swatch;
};

// Set by the host before the first frame; root windows copy it.
extern WidgetStyle* CurrentWidgetStyle;

}  // namespace tovan

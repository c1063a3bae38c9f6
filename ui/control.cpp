// The conventions every control shares: construction, usability, the grow
// transform and the rectangles derived from it, the hover rule, the look's
// fades and the common values of a control's draw item.
#include "ui/control.h"

#include <cmath>

#include "core/frame_clock.h"
#include "io/font.h"
#include "ui/form.h"
#include "ui/input.h"
#include "ui/rect_ops.h"
#include "ui/widget_style.h"

namespace tovan {

void StartControl(cWnd& control) {
    control.m_Style = control.m_Parent ? control.m_Parent->GetStyle() : CurrentWidgetStyle;
    control.m_VisibleFlag = control.m_EnabledFlag = true;
    const float visible = control.IsVisible() ? 1.0f : 0.0f;
    const float enabled = control.IsEnabled() ? 1.0f : 0.0f;
    control.m_VisibleFade = {visible, visible};
    control.m_EnabledFade = {enabled, enabled};
}

bool IsUsable(const cWnd& control) { return control.IsVisible() && control.IsEnabled(); }

bool IsPressable(cWnd& control) {
    return IsUsable(control) && (!control.m_Parent || control.m_Parent->GetExpandState() != kCollapsed);
}

bool IsActivationKey(KeyCode code) { return code == kKeyEnter || code == kKeySpace || code == kKeyPadA; }

namespace {
struct KeyStep {
    KeyCode code;
    int step;
};
constexpr KeyStep kSidewaysSteps[] = {{kKeyLeft, -1}, {kKeyLeftThumbLeft, -1}, {kKeyRightThumbLeft, -1},
                                      {kKeyRight, 1}, {kKeyLeftThumbRight, 1}, {kKeyRightThumbRight, 1}};
constexpr KeyStep kColumnSteps[] = {{kKeyUp, -1}, {kKeyLeftThumbUp, -1}, {kKeyDown, 1}, {kKeyLeftThumbDown, 1}};
constexpr KeyStep kRightThumbSteps[] = {{kKeyRightThumbUp, -1}, {kKeyRightThumbDown, 1}};

template <size_t N>
int FindStep(const KeyStep (&table)[N], KeyCode code) {
    for (const KeyStep& entry : table)
        if (entry.code == code)
            return entry.step;
    return 0;
}
}  // namespace

int SidewaysStep(KeyCode code) { return FindStep(kSidewaysSteps, code); }

int ColumnStep(KeyCode code) {
    if (const int step = FindStep(kColumnSteps, code))
        return step;
    // The right thumb stands in only while the left one is not pushed up or down.
    if (IsKeyDown(kKeyLeftThumbUp) || IsKeyDown(kKeyLeftThumbDown))
        return 0;
    return FindStep(kRightThumbSteps, code);
}

bool CursorInHit(const cWnd& control) { return control.m_Visible.Contains(CursorPosition); }

void ActivateParent(cWnd& control) {
    if (control.m_Parent && !control.m_Parent->IsActive())
        control.m_Parent->Activate();
}

void NotifyParent(cWnd& control, int code, const void* oldValue, const void* newValue) {
    if (control.m_Parent)
        control.m_Parent->OnNotify(FindWidgetHandle(&control), code, oldValue, newValue);
}

cRect RoundRect(const cRect& r) {
    if (r.IsEmpty())
        return r;
    return {RoundPixel(r.x0), RoundPixel(r.y0), RoundPixel(r.x1), RoundPixel(r.y1)};
}

cRect UnionRect(const cRect& a, const cRect& b) {
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return {std::fmin(a.x0, b.x0), std::fmin(a.y0, b.y0), std::fmax(a.x1, b.x1), std::fmax(a.y1, b.y1)};
}

cRect TransformRect(const cRect& r, const cMat4& m) {
    if (r.IsEmpty())
        return r;
    const cVec3 a = m.TransformPoint({r.x0, r.y0, 0});
    const cVec3 b = m.TransformPoint({r.x1, r.y1, 0});
    // A shrinking transform may swap the corners; the result stays a rectangle.
    return {std::fmin(a.x, b.x), std::fmin(a.y, b.y), std::fmax(a.x, b.x), std::fmax(a.y, b.y)};
}

cMat4 GrowTransform(const cRect& rect, float grow) {
    cMat4 m;
    if (rect.IsEmpty())
        return m;
    const float side = std::fmax(rect.Width(), rect.Height());
    if (!(side > 0) || !std::isfinite(side))
        return m;  // nothing to scale about: a scale would divide by zero
    const float s = (2 * grow + side) / side;
    const cVec2 centre = rect.Centre();
    m.SetScalingAboutPoint({s, s, s}, {centre.x, centre.y, 0});
    return m;
}

cRect ParentContent(const cWnd& control) { return control.m_Parent ? control.m_Parent->m_Content : cRect::Empty(); }

cRect ToParentContent(const cWnd& control, const cRect& measured) {
    cRect r = measured;
    if (control.m_Parent && !r.IsEmpty())
        r.Move(control.m_Parent->m_Content.x0, control.m_Parent->m_Content.y1);
    return r;
}

cRect ParentClip(const cWnd& control) { return control.m_Parent ? control.m_Parent->m_ChildClip : control.m_Rect; }

float TextWidth(int32_t font, const char* text) {
    if (!text || !*text || !GetFont(font))
        return 0;
    const cRect r = DrawText(font, 0, text, 0, kTextNoQuads, nullptr);
    return r.IsEmpty() ? 0 : r.Width();
}

cCaptionedBox PlaceCaptionedBox(float width, float height, bool hasCaption, float captionWidth, float padding,
                                bool anchoring, float margin, int align, float x, float y) {
    cCaptionedBox out;
    out.m_Box = {0, -height, width, 0};
    if (!hasCaption) {
        out.m_Box.MoveAnchorTo(align, x, y);
        out.m_Whole = out.m_Box;
        return out;
    }
    const float captionSide = captionWidth + 2 * padding;
    if (anchoring) {
        cRect pair = {0, -height, captionSide + width - margin, 0};
        pair.MoveAnchorTo(align, x, y);
        out.m_Box = {pair.x1 - width, pair.y1 - height, pair.x1, pair.y1};
    } else {
        out.m_Box.MoveAnchorTo(align, x, y);
    }
    out.m_Caption = {out.m_Box.x0 - captionSide, out.m_Box.y1 - height, out.m_Box.x0, out.m_Box.y1};
    out.m_Whole = UnionRect(out.m_Box, out.m_Caption);
    return out;
}

void LayoutCaption(const cWnd& control, const cRect& measured, cCaptionRects& out) {
    out.m_Drawn = RoundRect(ToParentContent(control, measured));
    out.m_Hit = out.m_Drawn.IsEmpty() ? out.m_Drawn : Intersect(out.m_Drawn, ParentClip(control));
}

void LayoutControlBox(cWnd& control, const cRect& measured, float grow, cControlBox& box) {
    const cRect drawn = ToParentContent(control, measured);
    box.m_Transform = GrowTransform(drawn, grow);
    const cMat4 hover = GrowTransform(drawn, control.GetStyle() ? control.GetStyle()->m_HoverGrow : 0);
    const cRect outer = TransformRect(drawn, box.m_Transform);
    const cRect pressed = TransformRect(drawn, hover);
    box.m_Press = pressed.IsEmpty() ? pressed : Intersect(pressed, ParentClip(control));
    box.m_Drawn = RoundRect(drawn);
    control.m_Rect = outer;
    // A control has no client area, so cWnd::Layout stops at the hit rectangle.
    control.m_Client = cRect::Empty();
    control.cWnd::Layout();
}

void StartLook(cWnd& control, cControlLook& look) {
    const WidgetStyle* style = control.GetStyle();
    look.m_Hover = {0, 0};
    SetGrow(look, style ? style->m_RestGrow : 0);
}

void SetGrow(cControlLook& look, float grow) { look.m_Grow = {grow, grow}; }

void StepLook(cWnd& control, cControlLook& look) {
    const WidgetStyle* style = control.GetStyle();
    if (!style)
        return;
    const float delta = FrameClock.m_FrameDelta;
    look.m_Grow.Step(style->m_GrowRate, delta);
    look.m_Hover.Step(style->m_HoverFadeRate, delta);
}

bool BeginPress(cWnd& control, KeyCode code, cControlLook& look, float pressedGrow, bool focuses,
                KeyCode& pressingCode) {
    if (!IsPressable(control))
        return false;
    if (HoldsCapture(&control))
        return true;
    bool acts = false;
    if (IsActivationKey(code)) {
        acts = control.HasKeyFocus(&control);
    } else if (code == kKeyLeftButton) {
        acts = CursorInHit(control);
    } else {
        if (code == kKeyRightButton && CursorInHit(control) && focuses)
            control.SetFocus(&control);
        return false;
    }
    if (!acts)
        return false;
    TakeCapture(&control);
    ActivateParent(control);
    SetGrow(look, pressedGrow);
    if (focuses)
        control.SetFocus(&control);
    pressingCode = code;
    return true;
}

cHoverFacts ReadHover(cWnd& control, bool covered, bool heldCounts) {
    cHoverFacts facts;
    facts.m_Held = HoldsCapture(&control);
    facts.m_Hovered = !covered && IsUsable(control) && ((heldCounts && facts.m_Held) || CursorInHit(control));
    facts.m_Focused = control.HasKeyFocus(&control);
    return facts;
}

void AimLook(cWnd& control, cControlLook& look, const cHoverFacts& facts) {
    const WidgetStyle* style = control.GetStyle();
    const float rest = style ? style->m_RestGrow : 0, hover = style ? style->m_HoverGrow : 0;
    const bool lit = facts.m_Hovered || facts.m_Focused;
    look.m_Hover.m_Target = lit ? 1.0f : 0.0f;
    look.m_Grow.m_Target = facts.m_Held ? rest : lit ? hover : rest;
}

void FollowHover(cWnd& control, const cHoverFacts& facts) {
    const WidgetStyle* style = control.GetStyle();
    if (!style || !style->m_FocusFollowsHover || !facts.m_Hovered || CapturedWidget != -1)
        return;
    if (control.m_Parent && control.m_Parent->IsActive() && !control.IsFocused(&control))
        control.SetFocus(&control);
}

bool CommonHover(cWnd& control, cControlLook& look, bool covered) {
    const cHoverFacts facts = ReadHover(control, covered);
    AimLook(control, look, facts);
    FollowHover(control, facts);
    return facts.m_Hovered;
}

bool ReleaseCounts(KeyCode pressingCode, const cRect& press) {
    return pressingCode != kKeyLeftButton || press.Contains(CursorPosition);
}

bool ShowsPressed(const cWnd& control, KeyCode pressingCode, const cRect& press) {
    return HoldsCapture(&control) && ReleaseCounts(pressingCode, press);
}

void FillControlItem(cWnd& control, int kind, const cControlLook& look, const cControlBox& box, WidgetDrawItem& item) {
    item.m_Kind = kind;
    item.m_Clip = ParentClip(control);
    item.m_Rect = box.m_Drawn;
    item.m_Transform = box.m_Transform;
    item.m_HoverFade = look.m_Hover.m_Value;
    item.m_Enabled = control.IsEnabled();
    item.m_EnabledFade = control.m_EnabledFade.m_Value;
    item.m_Visible = control.IsVisible();
    item.m_VisibleFade = control.m_VisibleFade.m_Value;
    cWnd* parent = control.m_Parent;
    item.m_ActiveFade = parent ? parent->GetActiveFade() : control.GetActiveFade();
    item.m_Opacity = parent ? parent->GetOpacity() : control.GetOpacity();
    item.m_KeyFocus = control.HasKeyFocus(&control);
}

void DrawControlItem(cWnd& control, WidgetDrawItem& item) {
    if (WidgetStyle* style = control.GetStyle())
        style->DrawItem(&item);
}

}  // namespace tovan

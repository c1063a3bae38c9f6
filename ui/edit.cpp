// cEdit: the bound value and its text, commits with the limits and the linked
// pair, measuring and layout, the caret's scroll offset, hover and the item.
#include "ui/edit.h"

#include <cmath>
#include <cstdint>

#include "core/frame_clock.h"
#include "io/font.h"
#include "ui/input.h"
#include "ui/widget_style.h"

namespace tovan {

namespace {

constexpr float kLinkedFloatGap = 0.001f;  // a linked float pair stays this far apart

// As ParseInt ("42abc" is 42), but a number outside the int range does not
// parse instead of wrapping.
bool ParseIntInRange(const char* text, int32_t& out) {
    if (!ParseInt(text, out))
        return false;
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > int64_t(INT32_MAX) + 1)
            return false;
    }
    return negative || value <= INT32_MAX;
}

int32_t ClampToInt(int64_t v) { return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v); }

}  // namespace

cEdit::cEdit(cWnd* parent, int32_t* value, const char* caption, float x, float y) : cWnd(parent), m_Int(value) {
    Start(caption, x, y);
}

cEdit::cEdit(cWnd* parent, float* value, const char* caption, float x, float y) : cWnd(parent), m_Float(value) {
    Start(caption, x, y);
}

cEdit::cEdit(cWnd* parent, cStr* value, const char* caption, float x, float y) : cWnd(parent), m_String(value) {
    Start(caption, x, y);
}

void cEdit::Start(const char* caption, float x, float y) {
    StartControl(*this);
    m_Caption.SetText(caption);
    m_LayoutX = x;
    m_LayoutY = y;
    m_Align = 0;
    StartLook(*this, m_Look);
}

cStr cEdit::ValueText() const {
    cStr text;
    if (m_Int)
        text.AppendInt(*m_Int);
    else if (m_Float)
        text.AppendFormat("%.3f", double(*m_Float));
    else if (m_String)
        text = *m_String;
    return text;
}

void cEdit::RebuildText() {
    if (m_String) {
        m_Text = *m_String;
    } else {
        m_Text.Clear();  // keeps the buffer: this runs every frame
        if (m_Int)
            m_Text.AppendInt(*m_Int);
        else if (m_Float)
            m_Text.AppendFormat("%.3f", double(*m_Float));
    }
    ClampCaret();
}

void cEdit::ClampCaret() {
    const int32_t length = m_Text.Length();
    auto clamp = [](int32_t v, int32_t hi) { return v < 0 ? 0 : v > hi ? hi : v; };
    m_Caret = clamp(m_Caret, length);
    m_SelectionStart = clamp(m_SelectionStart, length);
    m_SelectionLength = clamp(m_SelectionLength, length - m_SelectionStart);
    m_MouseAnchor = clamp(m_MouseAnchor, length);
}

void cEdit::ClampToLimits() {
    if (m_Int) {
        int32_t v = *m_Int;
        if (m_IntMin && v < *m_IntMin)
            v = *m_IntMin;
        if (m_IntMax && v > *m_IntMax)
            v = *m_IntMax;
        if (v == *m_Int)
            return;
        *m_Int = v;
    } else if (m_Float) {
        float v = *m_Float;
        if (m_FloatMin && v < *m_FloatMin)
            v = *m_FloatMin;
        if (m_FloatMax && v > *m_FloatMax)
            v = *m_FloatMax;
        if (v == *m_Float)
            return;
        *m_Float = v;
    } else {
        return;
    }
    // While editing the text is the user's own; it shows the value once editing ends.
    if (!IsEditing())
        RebuildText();
}

bool cEdit::Commit() {
    if (m_Int) {
        int32_t v;
        if (!ParseIntInRange(m_Text.GetText(), v))
            return false;
        if (m_IntMin && v < *m_IntMin)
            v = *m_IntMin;
        if (m_IntMax && v > *m_IntMax)
            v = *m_IntMax;
        if (v == *m_Int)
            return false;
        const int32_t old = *m_Int;
        *m_Int = v;
        KeepLinkedOrdered();
        NotifyParent(*this, kNotifyEditInt, &old, m_Int);
        return true;
    }
    if (m_Float) {
        if (m_Text == ValueText())
            return false;  // untouched: the shown decimals are not a new value
        float v;
        if (!ParseFloat(m_Text.GetText(), v))
            return false;
        if (m_FloatMin && v < *m_FloatMin)
            v = *m_FloatMin;
        if (m_FloatMax && v > *m_FloatMax)
            v = *m_FloatMax;
        if (v == *m_Float)
            return false;
        const float old = *m_Float;
        *m_Float = v;
        KeepLinkedOrdered();
        NotifyParent(*this, kNotifyEditFloat, &old, m_Float);
        return true;
    }
    if (m_String) {
        if (m_Text == *m_String)
            return false;
        const cStr old = *m_String;
        *m_String = m_Text;
        NotifyParent(*this, kNotifyEditText, old.GetText(), m_String->GetText());
        return true;
    }
    return false;
}

void cEdit::KeepLinkedOrdered() {
    if (m_Int) {
        const int64_t v = *m_Int;  // wide, so that the value next to INT_MAX does not wrap
        if (m_LinkedMax && m_LinkedMax->m_Int && *m_LinkedMax->m_Int < v + 1)
            *m_LinkedMax->m_Int = ClampToInt(v + 1);
        else if (m_LinkedMin && m_LinkedMin->m_Int && *m_LinkedMin->m_Int > v - 1)
            *m_LinkedMin->m_Int = ClampToInt(v - 1);
    } else if (m_Float) {
        const float v = *m_Float;
        if (m_LinkedMax && m_LinkedMax->m_Float && *m_LinkedMax->m_Float < v + kLinkedFloatGap)
            *m_LinkedMax->m_Float = v + kLinkedFloatGap;
        else if (m_LinkedMin && m_LinkedMin->m_Float && *m_LinkedMin->m_Float > v - kLinkedFloatGap)
            *m_LinkedMin->m_Float = v - kLinkedFloatGap;
    }
}

void cEdit::EndEditing() {
    Commit();
    ReleaseWidgetCapture();
    m_Undo.DestroyItems();
    m_MouseSelecting = false;
}

void cEdit::TakeFocus() {
    ActivateParent(*this);
    RebuildText();
    TakeCapture(this);
    SetFocus(this);
    SelectAll();
    Blink();
}

void cEdit::Blink() { m_CaretBlink = FrameClock.m_TotalSeconds; }

void cEdit::SelectAll() {
    m_SelectionStart = 0;
    m_SelectionLength = m_Caret = m_Text.Length();
}

void cEdit::Measure() {
    const WidgetStyle& style = Style();
    const WidgetStyle::Edit& edit = style.m_Edit;
    const float width = m_String ? edit.m_TextWidth : edit.m_NumberWidth;
    const bool hasCaption = !m_Caption.IsEmpty();
    const float captionWidth = hasCaption ? TextWidth(edit.m_Font, m_Caption.GetText()) : 0;
    const cCaptionedBox placed =
        PlaceCaptionedBox(2 * edit.m_Margin + width, edit.m_Height, hasCaption, captionWidth, style.m_CaptionPadding,
                          edit.m_CaptionAnchoring || m_CaptionAnchoring, edit.m_Margin, m_Align, m_LayoutX, m_LayoutY);
    m_BoxRect = placed.m_Box;
    m_CaptionRect = placed.m_Caption;
    m_Whole = placed.m_Whole;
}

void cEdit::Layout() {
    Measure();
    LayoutControlBox(*this, m_BoxRect, m_Look.m_Grow.m_Value, m_Box);
    LayoutCaption(*this, m_CaptionRect, m_CaptionRects);
}

float cEdit::TextPrefixWidth(int count) const {
    const int32_t font = Style().m_Edit.m_Font;
    if (!GetFont(font) || count <= 0)
        return 0;
    // Bytes are glyph codes as the font filter looks them up (sign-extended).
    static cList<uint16_t> codes;
    codes.DestroyItems();
    const char* text = m_Text.GetText();
    for (int i = 0; i < count && i < m_Text.Length(); ++i)
        codes.PushBack(uint16_t(int16_t(int8_t(text[i]))));
    const cRect r = DrawTextCodes(font, 0, codes, 0, kTextNoQuads, nullptr);
    return r.IsEmpty() ? 0 : r.Width();
}

void cEdit::UpdateScroll() {
    if (!IsEditing()) {
        m_ScrollOffset = 0;
        return;
    }
    const WidgetStyle::Edit& edit = Style().m_Edit;
    const float left = m_Box.m_Drawn.x0 + edit.m_Margin;
    const float right = m_Box.m_Drawn.x1 - edit.m_Margin - edit.m_EndInset;
    const float before = TextPrefixWidth(m_Caret);
    const float caretX = left + m_ScrollOffset + before;
    if (caretX < left) {
        m_ScrollOffset = -before;
    } else if (caretX > right) {
        const float span = right - left, full = TextPrefixWidth(m_Text.Length());
        m_ScrollOffset = std::fmax(span - before, span - full);
    }
    if (m_ScrollOffset > 0)
        m_ScrollOffset = 0;
}

int cEdit::IndexUnderCursor() {
    const float cursor = CursorPosition.x;
    const float y = m_Box.m_Drawn.IsEmpty() ? 0 : m_Box.m_Drawn.Centre().y;
    auto screenX = [&](float x) { return m_Box.m_Transform.TransformPoint({x, y, 0}).x; };
    float x = m_Box.m_Drawn.x0 + Style().m_Edit.m_Margin + m_ScrollOffset;
    int best = 0;
    float bestDistance = std::fabs(screenX(x) - cursor);
    const int32_t font = Style().m_Edit.m_Font;
    const bool measured = GetFont(font) != nullptr;
    cList<uint16_t> one;
    for (int i = 0; i < m_Text.Length(); ++i) {
        if (measured) {
            one.DestroyItems();
            one.PushBack(uint16_t(int16_t(int8_t(m_Text[i]))));
            const cRect r = DrawTextCodes(font, 0, one, 0, kTextNoQuads, nullptr);
            x += r.IsEmpty() ? 0 : r.Width();
        }
        const float distance = std::fabs(screenX(x) - cursor);
        if (distance < bestDistance)  // the earlier index keeps a tie
            best = i + 1, bestDistance = distance;
    }
    return best;
}

bool cEdit::UpdateHover(bool covered) {
    const cHoverFacts facts = ReadHover(*this, covered, false);
    AimLook(*this, m_Look, facts);
    if (facts.m_Held) {
        m_Look.m_Hover.m_Target = 1;
        m_Look.m_Grow.m_Target = Style().m_HoverGrow;
    }
    FollowHover(*this, facts);
    return facts.m_Hovered;
}

bool cEdit::GetCursorShape(int* shape) {
    if (!IsEditing())
        return false;
    if (shape)
        *shape = kCursorText;
    return true;
}

void cEdit::Update() {
    if (m_ReadOnlyRequest)
        m_ReadOnly = true;
    ClampToLimits();
    StepLook(*this, m_Look);
    AnimateFades();
    if (ParentContent(*this).IsEmpty())
        return;
    Layout();
    UpdateScroll();
    if (!IsEditing())
        RebuildText();
    WidgetDrawItem item;
    FillControlItem(*this, kItemEdit, m_Look, m_Box, item);
    item.m_Pressed = IsEditing();
    item.m_Text = m_Text;
    item.m_Text2 = m_Caption;
    item.m_CaptionRect = m_CaptionRects.m_Drawn;
    item.m_Caret = m_Caret;
    item.m_SelectionStart = m_SelectionStart;
    item.m_SelectionLength = m_SelectionLength;
    item.m_CaretBlink = m_CaretBlink;
    item.m_ScrollOffset = m_ScrollOffset;
    item.m_ReadOnly = m_ReadOnly;
    DrawControlItem(*this, item);
}

}  // namespace tovan

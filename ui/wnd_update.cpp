// cWnd per-frame work: fades, auto-repeat of held parts and of the scroll
// while a drag leaves the view, and the scroll-bar draw items.
#include "core/frame_clock.h"
#include "ui/input.h"
#include "ui/widget_style.h"
#include "ui/wnd.h"

namespace tovan {

namespace {

// The scroll parts drawn per bar, back to front.
constexpr int kVerticalItems[] = {kPartVBar, kPartPageUp, kPartPageDown, kPartVThumb, kPartArrowUp, kPartArrowDown};
constexpr int kHorizontalItems[] = {kPartHBar,   kPartPageLeft,  kPartPageRight,
                                    kPartHThumb, kPartArrowLeft, kPartArrowRight};

bool IsThumb(int part) { return part == kPartVThumb || part == kPartHThumb; }
bool IsArrow(int part) { return part >= kPartArrowUp && part <= kPartArrowRight; }

}  // namespace

void cWnd::AnimateFades() {
    const WidgetStyle& style = Style();
    const float delta = FrameClock.m_FrameDelta;
    const bool parentVisible = !m_Parent || m_Parent->IsVisible();
    const bool parentEnabled = !m_Parent || m_Parent->IsEnabled();
    m_VisibleFade.m_Target = m_VisibleFlag && parentVisible ? 1.0f : 0.0f;
    m_VisibleFade.Step(style.m_VisibleFadeRate, delta);
    m_EnabledFade.m_Target = m_EnabledFlag && parentEnabled ? 1.0f : 0.0f;
    m_EnabledFade.Step(style.m_EnabledFadeRate, delta);
    m_ActiveFade.m_Target = IsActive() ? 1.0f : 0.0f;
    m_ActiveFade.Step(style.m_ActiveFadeRate, delta);
    auto partFade = [&](cFade& fade, int part) {
        fade.m_Target = m_HoverPart == part || m_DragPart == part ? 1.0f : 0.0f;
        fade.Step(style.m_HoverFadeRate, delta);
    };
    if (m_VScroll) {
        partFade(m_VThumbFade, kPartVThumb);
        partFade(m_ArrowFades[0], kPartArrowUp);
        partFade(m_ArrowFades[1], kPartArrowDown);
        m_VNeededFade.m_Target = m_VNeeded ? 1.0f : 0.0f;
        m_VNeededFade.Step(style.m_EnabledFadeRate, delta);
    }
    if (m_HScroll) {
        partFade(m_HThumbFade, kPartHThumb);
        partFade(m_ArrowFades[2], kPartArrowLeft);
        partFade(m_ArrowFades[3], kPartArrowRight);
        m_HNeededFade.m_Target = m_HNeeded ? 1.0f : 0.0f;
        m_HNeededFade.Step(style.m_EnabledFadeRate, delta);
    }
}

void cWnd::AutoRepeat() {
    const WidgetStyle& style = Style();
    const float now = FrameClock.m_TotalSeconds;
    auto step = [&](int part) {
        ScrollPart(part);
        Layout();
        m_NextRepeat = now + style.m_RepeatInterval;
    };
    if (m_DragPart >= kPartPageUp && m_DragPart <= kPartArrowRight) {
        if (HitTest() != m_DragPart)
            m_NextRepeat = -1;  // off the part: the next return scrolls at once
        else if (m_NextRepeat == -1 || now >= m_NextRepeat)
            step(m_DragPart);
        return;
    }
    // Scrolling while a drag (of a child, or of this window's own content)
    // leaves the view. The part is settled before it repeats, so that the
    // scrolling stops as soon as the drag ends or the cursor comes back.
    const bool dragging = CapturedWidget != -1 && GetWidget(CapturedWidget) && !IsScrollPart();
    int wanted = kPartNone;
    if (m_AutoScroll && dragging) {
        const cVec2 cursor = CursorPosition;
        if (m_VNeeded && cursor.y > m_ViewClip.y1)
            wanted = kPartArrowUp;
        else if (m_VNeeded && cursor.y < m_ViewClip.y0)
            wanted = kPartArrowDown;
        else if (m_HNeeded && cursor.x > m_ViewClip.x1)
            wanted = kPartArrowRight;
        else if (m_HNeeded && cursor.x < m_ViewClip.x0)
            wanted = kPartArrowLeft;
    }
    if (wanted != kPartNone && (wanted != m_AutoScrollPart || m_NextRepeat == -1 || now >= m_NextRepeat))
        step(wanted);
    m_AutoScrollPart = wanted;
}

void cWnd::FillCommonItem(WidgetDrawItem& item) {
    item.m_Clip = m_Visible;
    item.m_Active = IsActive();
    item.m_ActiveFade = m_ActiveFade.m_Value;
    item.m_Opacity = GetOpacity();
    item.m_Visible = m_VisibleFlag;
    item.m_VisibleFade = m_VisibleFade.m_Value;
}

void cWnd::Update() {
    AutoRepeat();
    WidgetStyle* style = m_Style ? m_Style : GetStyle();
    if (!style || !(m_VScroll || m_HScroll))
        return;
    WidgetDrawItem item;
    FillCommonItem(item);
    auto draw = [&](int part, bool needed, const cFade& neededFade, const cFade* partFade) {
        item.m_Kind = part;
        item.m_Rect = m_Parts[part];
        item.m_Pressed = IsThumb(part) ? m_DragPart == part : m_DragPart == part && m_HoverPart == part;
        item.m_HoverFade = partFade ? partFade->m_Value : 0.0f;
        item.m_Enabled = partFade ? needed : false;
        item.m_EnabledFade = partFade ? neededFade.m_Value : 0.0f;
        style->DrawItem(&item);
    };
    if (m_VScroll)
        for (int part : kVerticalItems)
            draw(part, m_VNeeded, m_VNeededFade,
                 IsThumb(part)   ? &m_VThumbFade
                 : IsArrow(part) ? &m_ArrowFades[part - kPartArrowUp]
                                 : nullptr);
    if (m_HScroll)
        for (int part : kHorizontalItems)
            draw(part, m_HNeeded, m_HNeededFade,
                 IsThumb(part)   ? &m_HThumbFade
                 : IsArrow(part) ? &m_ArrowFades[part - kPartArrowUp]
                                 : nullptr);
}

}  // namespace tovan

// cForm: the top-level window of the toolkit. A framed, titled, scrollable
// window that keeps the keyboard focus among its descendants, moves by its
// title bar, resizes by its frame and size grip, collapses to its title,
// maximises over its parent's area, closes, and docks to the edges of its
// parent's content (or of the view's viewport without a parent). Forms
// without a parent are kept in the top-level form list, whose last entry is
// the active form.
//
// Items it hands the style, in drawing order: 23 docking previews while moved
// or resized (the anchor zones), 13 the body (m_Checked collapsed, m_Pressed
// the tool bar shown), 17 the title bar, 22 the title text, 15 close, 18
// collapse (20 when collapsed), 19 maximise (21 when maximised), then unless
// collapsed 16 the client and, in the normal state, 14 the size grip. Buttons
// and the grip carry m_Pressed (pressed and still under the cursor),
// m_Checked (hovered) and their fade in m_HoverFade.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/rect.h"
#include "core/str.h"
#include "ui/wnd.h"

namespace tovan {

// A form's own parts, besides those of cWnd.
enum FormPart : int32_t {
    kPartSizeGrip = 14,
    kPartClose = 15,
    kPartTitle = 17,
    kPartCollapse = 18,
    kPartMaximise = 19,
};

// Item kinds of a form.
enum FormItem : int32_t {
    kItemFormBody = 13,
    kItemSizeGrip = 14,
    kItemClose = 15,
    kItemClient = 16,
    kItemTitleBar = 17,
    kItemCollapse = 18,
    kItemMaximise = 19,
    kItemExpand = 20,   // the collapse button of a collapsed form
    kItemRestore = 21,  // the maximise button of a maximised form
    kItemTitleText = 22,
    kItemDockPreview = 23,
};

enum ExpandState : int32_t { kCollapsed = 0, kMaximised = 1, kNormal = 2 };

inline constexpr int kFormType = 7;

class cForm : public cWnd {
public:
    // Visible and enabled (fading in), both scroll bars, the wheel and the
    // middle-button pan; a form without a parent joins the top-level list.
    explicit cForm(cWnd* parent = nullptr);
    // Leaves the top-level list, whatever its parent.
    ~cForm() override;

    bool OnKeyDown(KeyCode code) override;
    bool OnKeyUp(KeyCode code) override;
    bool OnMouseMove() override;
    // Focus steps while active and expanded: Up and LeftThumbUp back; Tab,
    // Down and LeftThumbDown forward; the right thumb likewise while the left
    // one is not held.
    bool OnChar(int character, KeyCode code) override;
    void Update() override;
    bool IsClosed() override { return m_Closed; }
    bool GetCursorShape(int* shape) override;

    int GetType() override { return kFormType; }
    // With a parent: last in its parent's children, and the parent activated.
    // Without: last in the top-level list and in front of its layer.
    void Activate() override;
    bool IsActive() override;
    int GetExpandState() override { return m_ExpandState; }
    float GetActiveFade() override { return m_ActiveFade.m_Value; }
    float GetOpacity() override;                 // the style's drag opacity while moved or resized
    bool HasKeyFocus(cWidget* widget) override;  // focused, active, visible and enabled
    bool IsFocused(cWidget* widget) override;    // likewise, enabled or not
    void SetFocus(cWidget* widget) override { m_Focused = widget; }
    void OnChildRemoved(cWidget* widget) override;
    void Layout() override;
    void FocusNext(bool forward) override;
    int HitTest() override;

    void ToggleCollapse();
    // Anchors the corner boxes of the rect to the nearest anchors of the area.
    void ComputeDocking();
    void ScrollToFocus();
    // Every descendant, depth first, not entering closed panels when asked.
    void CollectDescendants(cList<cWidget*>& out, bool skipClosedPanels);

    bool m_Closed = false;
    cWidget* m_Focused = nullptr;
    int32_t m_ExpandState = kNormal;
    int32_t m_PreviousExpandState = kNormal;
    cStr m_Title;
    // Docking of the normal form: per corner box its anchor code (-1 none),
    // the offset from the area's anchor point and the zone it snaps in.
    cVec2 m_DockOffset[2];
    int32_t m_DockCode[2] = {-1, -1};
    cRect m_DockZone[2];
    // The collapsed title: its offset from the area's anchor point of its code.
    cVec2 m_CollapsedOffset;
    int32_t m_CollapsedCode = -1;
    cRect m_CollapsedRect;
    cRect m_SizeGripRect, m_CloseRect, m_TitleRect, m_CollapseRect, m_MaximiseRect;
    cFade m_SizeGripFade, m_CloseFade, m_CollapseFade, m_MaximiseFade;

private:
    cRect DockArea() const;  // the parent's content, else the viewport
    void LayoutCollapsed(const cRect& area);
    void LayoutNormal(const cRect& area);
    void LayoutClient();
    void LayoutTitleParts();
    bool MovedOrResized() const;
    void DrawItems();
};

// The top-level forms, the active one last.
extern cList<cForm*> FormList;
int32_t AddToFormList(cForm* form);    // the new index
bool RemoveFromFormList(cForm* form);  // false when absent

}  // namespace tovan

// cWnd: the rectangular window widget from which every control, panel, form
// and tool bar derives. It owns its child widgets, clips them, scrolls its
// content with optional scroll bars, can be resized by its frame and panned
// with the middle button, animates fades, and draws its scroll bars through
// the widget style. Coordinates are GUI space floats with y up ("top" is the
// larger y); containment tests include all four edges.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/rect.h"
#include "core/vec.h"
#include "ui/widget.h"
#include "ui/widget_registry.h"

namespace tovan {

class WidgetStyle;
struct WidgetDrawItem;

// Part codes: hover part, drag part and HitTest.
enum WndPart : int32_t {
    kPartNone = 0,
    kPartVBar = 1,  // drawn only
    kPartHBar = 2,  // drawn only
    kPartVThumb = 3,
    kPartHThumb = 4,
    kPartPageUp = 5,     // content moves down by the view height
    kPartPageDown = 6,   // content moves up by the view height
    kPartPageLeft = 7,   // content moves right by the view width
    kPartPageRight = 8,  // content moves left by the view width
    kPartArrowUp = 9,    // content moves by the arrow step, as the page parts
    kPartArrowDown = 10,
    kPartArrowLeft = 11,
    kPartArrowRight = 12,
    kPartPan = 16,  // middle-button pan (drag part only)
    kPartLeftEdge = 24,
    kPartTopEdge = 25,
    kPartRightEdge = 26,
    kPartBottomEdge = 27,
    kPartBottomRight = 28,
    kPartTopLeft = 29,
    kPartBottomLeft = 30,
    kPartTopRight = 31,
};

// Cursor shapes wanted by GetCursorShape; the host maps them to platform cursors.
enum CursorShape : int32_t {
    kCursorResizeHorizontal = 2,
    kCursorResizeVertical = 3,
    kCursorResizeDiagonalUp = 4,    // bottom-left and top-right corners
    kCursorResizeDiagonalDown = 5,  // bottom-right and top-left corners
    kCursorPan = 6,
};

// A value that moves toward its target by at most rate x delta each frame.
struct cFade {
    float m_Value = 0;
    float m_Target = 0;
    void Step(float rate, float delta);
};

class cWnd : public cWidget {
public:
    explicit cWnd(cWnd* parent = nullptr);
    // Takes itself out of its parent's child list, deletes its children and
    // extra widget from the registry, then tells the parent.
    ~cWnd() override;

    bool OnKeyDown(KeyCode code) override;
    bool OnKeyUp(KeyCode code) override;
    bool OnMouseMove() override;
    void Update() override;
    bool UpdateHover(bool covered) override;
    bool GetCursorShape(int* shape) override;
    void OnBringToFront() override;

    // --- cWnd's own virtual operations; the base forwards to the parent where said
    virtual int GetType();  // WidgetType; 0
    virtual void OnNotify(WidgetHandle source, int code, const void* oldValue, const void* newValue);
    virtual void Activate();
    virtual bool IsActive();                    // false at a root
    virtual int GetExpandState();               // 2 at a root
    virtual float GetActiveFade();              // a root's own active fade
    virtual float GetOpacity();                 // 1 at a root
    virtual cRect GetRect();                    // the empty rectangle
    virtual bool HasKeyFocus(cWidget* widget);  // false at a root
    virtual bool IsFocused(cWidget* widget);    // false at a root
    virtual void SetFocus(cWidget* widget);     // null clears
    virtual void OnChildRemoved(cWidget* widget);
    virtual float GetExtent();  // along the parent's layout axis; 0
    virtual void Layout();      // the derived rectangles, scroll bars and frame parts
    virtual void Measure();     // preferred size and own placement; nothing
    virtual void TakeFocus();   // SetFocus(this)
    virtual bool AcceptsFocus();
    virtual void SetAcceptsFocus(bool accepts);
    virtual void FocusNext(bool forward);
    virtual int HitTest();  // the part under the cursor
    virtual float GetArrowStep();
    virtual float GetWheelStep();

    // --- non-virtual
    bool IsVisible() const;  // own flag and every ancestor's
    bool IsEnabled() const;
    WidgetStyle* GetStyle() const;  // the topmost ancestor's
    // Registers the child in the layer of the topmost ancestor (layer 3 when
    // that root is not registered) and appends it to the child list; a child
    // already there keeps its handle and place.
    WidgetHandle AddChild(cWidget* child);
    bool IsFramePart() const;   // the drag part is 24-31
    bool IsScrollPart() const;  // a frame part, 3-12 or the pan
    void AnimateFades();        // called by each control's Update
    void AutoRepeat();          // held page parts, arrows and the auto-scroll while dragging
    cWnd* GetRoot();

    // --- fields
    WidgetStyle* m_Style = nullptr;
    cWnd* m_Parent = nullptr;
    cWnd* m_Listener = nullptr;  // told of a push button's clicks before its parent
    cWnd* m_Owner = nullptr;     // keeps this in its child list though not its parent (a composite)
    // May be reordered; entries come only through AddChild and leave only
    // through the window code, which keep each child window's m_Listings.
    cList<cWidget*> m_Children;
    int32_t m_Listings = 0;      // at least the child lists this window sits in; 0: none
    cWidget* m_Extra = nullptr;  // owned companion (a form's tool bar)
    float m_LayoutX = 0, m_LayoutY = 0;
    int32_t m_Align = -1;
    cRect m_Rect{0, 0, 0, 0};
    cRect m_Client{0, 0, 0, 0};  // inside the frame
    // Content offsets from the client: x0 left (<= 0 scrolled right), y0 bottom
    // (from the client top), x1 right, y1 top (>= 0 scrolled down).
    cRect m_Scroll;
    cRect m_View;       // the client less the shown bars
    cRect m_Content;    // in GUI space
    cRect m_ChildClip;  // the view within the parent's child clip
    cRect m_Visible;    // the rect within the parent's child clip
    cRect m_ViewClip;
    bool m_VisibleFlag = false;
    cFade m_VisibleFade;
    bool m_EnabledFlag = false;
    cFade m_EnabledFade;
    cFade m_ActiveFade;
    int32_t m_DragPart = kPartNone;
    int32_t m_HoverPart = kPartNone;
    cVec2 m_DragStart;
    cVec2 m_GrabOffset;  // grabbed edge minus cursor (frame), or the cursor (pan)
    cRect m_PanStart;    // the scroll offsets when a pan began
    bool m_FixedContentWidth = false;
    float m_ContentWidth = 0;
    bool m_VScroll = false;  // vertical bar enabled
    bool m_HScroll = false;
    bool m_WheelScrolls = false;
    bool m_WheelFromOutside = false;
    bool m_KeepWheelFocus = false;  // a captured window still takes the wheel
    bool m_AutoScroll = false;      // scroll while a drag leaves the view
    bool m_MiddlePan = false;
    bool m_VNeeded = false;  // computed by Layout
    bool m_HNeeded = false;
    int32_t m_AutoScrollPart = kPartNone;
    cRect m_Parts[13];  // by part code 1-12: bars, thumbs, page areas, arrows
    cRect m_VTrack, m_HTrack;
    cFade m_VThumbFade;
    cFade m_VNeededFade{1, 1};
    cFade m_HThumbFade;
    cFade m_HNeededFade{1, 1};
    cFade m_ArrowFades[4];  // parts 9-12
    // Thumb drag: the thumb's travel as a line, and content units per thumb unit.
    cVec2 m_DragLineStart, m_DragLineEnd, m_DragLineDir;
    float m_DragLineLength = 0;
    float m_HThumbScale = 0, m_VThumbScale = 0;
    float m_NextRepeat = -1;  // seconds; -1 none
    bool m_FrameResizable = false;
    cRect m_FrameParts[8];  // parts 24-31
    cRect m_FrameInner[4];  // the excluded inner squares of corners 28-31

protected:
    const WidgetStyle& Style() const;  // own, else the root's, else all zero
    // Fills the values every item of this window shares.
    void FillCommonItem(WidgetDrawItem& item);
    void ScrollBy(float dx, float dy);  // content moves by (dx, dy)
    void ScrollPart(int part);          // one step of a page part or arrow

private:
    bool InVisible() const;
    void StartDrag(int part);
};

}  // namespace tovan

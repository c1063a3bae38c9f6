// What the controls (buttons, check boxes, edits, sliders, combo boxes, key
// bindings, swatches and their composites) share: how they are built, when
// they are usable, their grow transform and rectangles, the hover rule, the
// fades of their look, and the values every draw item of theirs carries.
//
// A control lays out in the parent's content coordinates: its Measure places
// its rectangles with y up from the content's top edge, and its Layout moves
// them by the content's top-left corner and rounds them to whole pixels. The
// hit rectangle is the grown outer rectangle within the parent's child clip
// (cWnd::Layout computes it as m_Visible); a released mouse press counts only
// inside the press rectangle, the drawn box grown by the style's hover grow.
#pragma once
#include <cstdint>

#include "core/mat.h"
#include "core/rect.h"
#include "core/str.h"
#include "ui/wnd.h"

namespace tovan {

struct WidgetDrawItem;

// --- codes ------------------------------------------------------------------------

// WidgetType of each control.
enum ControlType : int32_t {
    kButtonType = 1,
    kBindButtonType = 2,
    kCheckBoxType = 3,
    kComboBoxType = 4,
    kEditType = 5,
    kEditSliderType = 6,
    kSeparatorType = 9,
    kSliderType = 10,
    kSliderRangedType = 11,
    kEditVec2Type = 13,  // 14 and 15 for three and four components
    kFilePnType = 16,
    kImageSwatchType = 17,
    kColorSwatchType = 18,
};

// Draw item kinds of the controls.
enum ControlItem : int32_t {
    kItemButton = 32,
    kItemBindButton = 33,
    kItemSlider = 34,
    kItemCheckBox = 35,
    kItemComboBox = 36,
    kItemDropDown = 37,
    kItemEdit = 39,
    kItemSeparator = 41,
    kItemImageSwatch = 42,
    kItemColorSwatch = 43,
};

// Notification codes a control sends its parent after writing the bound value
// (9, a panel toggled, lives with cPanel).
enum NotifyCode : int32_t {
    kNotifyButton = 0,
    kNotifyBinding = 1,
    kNotifyCheckBox = 2,
    kNotifyComboBox = 3,
    kNotifySliderFloat = 4,
    kNotifySliderInt = 5,
    kNotifyEditInt = 6,
    kNotifyEditFloat = 7,
    kNotifyEditText = 8,
    kNotifyFilePath = 10,
};

// --- construction and input ---------------------------------------------------------

// Copies the root's style (a root takes the host's), sets the visible and
// enabled flags, and starts both fades at their targets so that a new control
// does not fade in.
void StartControl(cWnd& control);

// The control and every ancestor visible and enabled.
bool IsUsable(const cWnd& control);
// Usable, and not inside a collapsed form: buttons, check boxes and combo
// boxes refuse presses otherwise.
bool IsPressable(cWnd& control);
// Enter, Space and pad A: what activates a focused control.
bool IsActivationKey(KeyCode code);
// Sideways steps of sliders and combo boxes: -1 for Left, LeftThumbLeft and
// RightThumbLeft, +1 for Right, LeftThumbRight and RightThumbRight, else 0.
int SidewaysStep(KeyCode code);
// Steps through a column (focus moves, list rows): -1 for Up and LeftThumbUp,
// +1 for Down and LeftThumbDown; RightThumbUp and RightThumbDown likewise only
// while neither LeftThumbUp nor LeftThumbDown is down; else 0.
int ColumnStep(KeyCode code);
// The cursor in the hit rectangle (edges inside).
bool CursorInHit(const cWnd& control);
// Activates the parent when it is not active.
void ActivateParent(cWnd& control);
// The parent's OnNotify with the control's handle; nothing without a parent.
void NotifyParent(cWnd& control, int code, const void* oldValue, const void* newValue);

// --- rectangles -------------------------------------------------------------------

cRect RoundRect(const cRect& r);                      // floor(v + 0.5) on each value; an empty one stays empty
cRect UnionRect(const cRect& a, const cRect& b);      // the bounding box; an empty one gives the other
cRect TransformRect(const cRect& r, const cMat4& m);  // both corners through m
// A uniform scale about the rectangle's centre by (2 x grow + L) / L, L the
// larger of its width and height: grow pixels more on each side. The identity
// for an empty rectangle or one without size.
cMat4 GrowTransform(const cRect& rect, float grow);
// The parent's content rectangle, and a measured rectangle moved by its
// top-left corner; null parent: the empty rectangle, and the rectangle as it is.
cRect ParentContent(const cWnd& control);
cRect ToParentContent(const cWnd& control, const cRect& measured);
// The parent's child clip; the control's own rectangle at a root.
cRect ParentClip(const cWnd& control);
// The pen width of a text in a font (0 without the font or the text).
float TextWidth(int32_t font, const char* text);

// Where a box and the caption to its left go. The box is width x height
// hanging down from y = 0 and placed at (x, y) by the anchor code; a non-empty
// caption is captionWidth + 2 x padding wide, as tall as the box, directly left
// of it and top-aligned. With anchoring set and a caption, the pair instead
// (less `margin` at its left) is placed by the anchor, the box flush with its
// right edge. Whole = the union of both.
struct cCaptionedBox {
    cRect m_Box;
    cRect m_Caption;  // empty without a caption
    cRect m_Whole;
};
cCaptionedBox PlaceCaptionedBox(float width, float height, bool hasCaption, float captionWidth, float padding,
                                bool anchoring, float margin, int align, float x, float y);

// A caption beside the box once laid out: moved into the parent's content and
// rounded (drawn), and that within the parent's clip (hit).
struct cCaptionRects {
    cRect m_Drawn;
    cRect m_Hit;
};
void LayoutCaption(const cWnd& control, const cRect& measured, cCaptionRects& out);

// --- the grow transform and the box of a control ----------------------------------

// Each frame's rectangles of a control's box.
struct cControlBox {
    cRect m_Drawn;      // the measured box in GUI space, rounded
    cRect m_Press;      // m_Drawn grown by the hover grow, within the parent's clip
    cMat4 m_Transform;  // the current grow
};
// Moves the measured box into the parent's content, builds the transform of
// the current grow and the press rectangle of the hover grow, rounds the
// drawn box, makes the grown outer rectangle the window's rectangle, and runs
// cWnd::Layout, which derives the hit rectangle (m_Visible).
void LayoutControlBox(cWnd& control, const cRect& measured, float grow, cControlBox& box);

// --- the look: hover fade and grow --------------------------------------------------

struct cControlLook {
    cFade m_Hover;
    cFade m_Grow;  // pixels
};
// Hover fade 0, grow at the style's rest grow.
void StartLook(cWnd& control, cControlLook& look);
// Sets the grow now and as its target (a press or a click shows at once).
void SetGrow(cControlLook& look, float grow);
// One frame: grow toward its target at the style's grow rate, the hover fade
// at the hover fade rate. Both stop at their targets.
void StepLook(cWnd& control, cControlLook& look);
// The press of a push control (button, check box) at a key down: an
// activation key while it has the key focus, or the left button over its hit
// area, takes the capture, activates the parent, shows the pressed look (pressedGrow),
// focuses the control when `focuses` and remembers the key; a right press over
// the hit area only focuses it (when `focuses`). True when the key was used.
bool BeginPress(cWnd& control, KeyCode code, cControlLook& look, float pressedGrow, bool focuses,
                KeyCode& pressingCode);

// The facts of the hover rule for one pass.
struct cHoverFacts {
    bool m_Hovered;  // not covered, usable, and held or with the cursor in the hit rectangle
    bool m_Focused;  // HasKeyFocus
    bool m_Held;     // holds the capture
};
// heldCounts: whether holding the capture makes the control hovered (the edit's does not).
cHoverFacts ReadHover(cWnd& control, bool covered, bool heldCounts = true);
// The common targets: hover fade 1 when hovered or focused; grow the rest
// grow while held, else the hover grow when hovered or focused, else the rest.
void AimLook(cWnd& control, cControlLook& look, const cHoverFacts& facts);
// Focus follows hover (a style flag): a hovered control without the focus
// takes it while its parent is active and no widget holds the capture. It is
// given the focus (SetFocus), never TakeFocus, so an edit does not start editing.
void FollowHover(cWnd& control, const cHoverFacts& facts);
// The whole common rule; the result says whether the control is hovered.
bool CommonHover(cWnd& control, cControlLook& look, bool covered);

// --- presses ----------------------------------------------------------------------

// Whether a release of the pressing code counts: a key press does wherever
// the cursor is; a LeftButton press only back inside the press rectangle.
bool ReleaseCounts(KeyCode pressingCode, const cRect& press);
// The pressed look: held, and the release would count.
bool ShowsPressed(const cWnd& control, KeyCode pressingCode, const cRect& press);

// --- drawing ------------------------------------------------------------------------

// Fills what every control item carries: the kind, the parent's clip, the
// drawn box, the transform, the hover fade, enabled and visible (with the
// ancestors) and their fades, the parent's active fade and opacity, and the
// key focus. The rest is the control's.
void FillControlItem(cWnd& control, int kind, const cControlLook& look, const cControlBox& box, WidgetDrawItem& item);
// Hands the item to the control's style; nothing without one.
void DrawControlItem(cWnd& control, WidgetDrawItem& item);

}  // namespace tovan

// cWidget: the root of everything the widget registry ticks and feeds with
// input. It holds nothing but its table of virtual operations; the order of
// the operations below is that table's order, which cWnd extends.
#pragma once
#include "core/str.h"
#include "ui/key_codes.h"

namespace tovan {

class WidgetStyle;

class cWidget {
public:
    cWidget() = default;
    cWidget(const cWidget&) = delete;
    cWidget& operator=(const cWidget&) = delete;
    virtual ~cWidget();

    // Input, delivered front first until one returns true (consumed).
    virtual bool OnKeyDown(KeyCode code);
    virtual bool OnKeyUp(KeyCode code);
    virtual bool OnMouseMove();                        // true when this widget holds the capture
    virtual bool OnChar(int character, KeyCode code);  // likewise; character -1 for a key without one
    // Spare slots with empty defaults that no widget overrides; they keep the
    // operations after them in their places in the table.
    virtual bool SpareQuery1();
    virtual bool SpareQuery2();
    virtual void SpareStep1();
    virtual void SpareStep2();
    virtual void SpareStep3();
    virtual void SpareStep4();
    virtual void SpareStep5();
    virtual void SpareStep6();
    virtual void SpareStep7();

    virtual void Update();    // per frame: animate, lay out, draw
    virtual bool IsClosed();  // the owner may remove the widget
    // covered: a widget in front already took the hover. True takes it.
    virtual bool UpdateHover(bool covered);
    virtual bool GetCursorShape(int* shape);
    virtual bool GetTooltip(cStr* text, WidgetStyle** style);
    virtual void OnBringToFront();  // after the registry moved it to the front of its layer
};

// The capture rule: the one way every widget takes and gives up the mouse.
// Holding: the captured handle names this very widget.
bool HoldsCapture(const cWidget* widget);
// Taking: only while no widget holds it, the widget's handle is stored and the
// main window takes the platform capture. Otherwise nothing changes.
void TakeCapture(cWidget* widget);
// Releasing: no widget holds it, and the platform capture is released.
void ReleaseWidgetCapture();

}  // namespace tovan

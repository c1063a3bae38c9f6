#include "ui/widget.h"

#include "core/main_window.h"
#include "core/os.h"
#include "ui/widget_registry.h"

namespace tovan {

cWidget::~cWidget() = default;

bool cWidget::OnKeyDown(KeyCode) { return false; }
bool cWidget::OnKeyUp(KeyCode) { return false; }
bool cWidget::OnMouseMove() { return HoldsCapture(this); }
bool cWidget::OnChar(int, KeyCode) { return HoldsCapture(this); }
bool cWidget::SpareQuery1() { return false; }
bool cWidget::SpareQuery2() { return false; }
void cWidget::SpareStep1() {}
void cWidget::SpareStep2() {}
void cWidget::SpareStep3() {}
void cWidget::SpareStep4() {}
void cWidget::SpareStep5() {}
void cWidget::SpareStep6() {}
void cWidget::SpareStep7() {}
void cWidget::Update() {}
bool cWidget::IsClosed() { return false; }
bool cWidget::UpdateHover(bool) { return false; }
bool cWidget::GetCursorShape(int*) { return false; }
bool cWidget::GetTooltip(cStr*, WidgetStyle**) { return false; }
void cWidget::OnBringToFront() {}

bool HoldsCapture(const cWidget* widget) {
    return widget && CapturedWidget != -1 && GetWidget(CapturedWidget) == widget;
}

void TakeCapture(cWidget* widget) {
    if (CapturedWidget != -1)
        return;
    const WidgetHandle handle = FindWidgetHandle(widget);
    if (handle == -1)
        return;  // an unregistered widget could never be found to release it
    CapturedWidget = handle;
    os::MouseCapture(MainWindowHandle);
}

void ReleaseWidgetCapture() {
    CapturedWidget = -1;
    os::MouseRelease();
}

}  // namespace tovan

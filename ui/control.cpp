#include "ui/control.h"

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

}  // namespace tovan

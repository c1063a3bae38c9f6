#include "ui/widget_style.h"

namespace tovan {

WidgetStyle* CurrentWidgetStyle = nullptr;

WidgetStyle::~WidgetStyle() = default;

}  // namespace tovan

#include "core/view.h"

namespace tovan {

cView* CurrentView = nullptr;

cRay& cView::ScreenPointToRay(cRay& out, const cVec2& point) const {
    const cVec3 start = m_InverseViewProjection.TransformPoint({point.x, point.y, 0});
    const cVec3 direction = m_Orthographic ? m_Forward : start - m_CameraPosition;
    out = cRay::FromDirection(start, direction);
    return out;
}

}  // namespace tovan

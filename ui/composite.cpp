// cComposite: placing the children each frame without covering them.
#include "ui/composite.h"

#include "ui/control.h"

namespace tovan {

cComposite::cComposite(cWnd* parent) : cWnd(parent) {
    StartControl(*this);
    m_Align = 0;
    m_Whole = {0, 0, 0, 0};
}

void cComposite::Layout() {
    if (RoundRect(ParentContent(*this)).IsEmpty())
        return;
    Measure();
    m_Rect = m_Client = cRect::Empty();
    cWnd::Layout();
}

cWnd* cComposite::Child(int index) const {
    return index >= 0 && index < m_Children.Count() ? dynamic_cast<cWnd*>(m_Children[index]) : nullptr;
}

}  // namespace tovan

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

cComposite::~cComposite() {
    // Backwards, so that removing keeps the earlier indexes.
    for (int i = m_Children.Count() - 1; i >= 0; --i) {
        if (!IsLiveChild(i)) {
            m_Children.RemoveAt(i);
            if (i < m_ChildHandles.Count())
                m_ChildHandles.RemoveAt(i);
        }
    }
}

bool cComposite::IsLiveChild(int index) const {
    // Only the pointer is compared: a child taken down may not be read.
    return index >= 0 && index < m_Children.Count() && index < m_ChildHandles.Count() && m_ChildHandles[index] != -1 &&
           GetWidget(m_ChildHandles[index]) == m_Children[index];
}

cWnd* cComposite::Child(int index) const {
    return IsLiveChild(index) ? dynamic_cast<cWnd*>(m_Children[index]) : nullptr;
}

}  // namespace tovan

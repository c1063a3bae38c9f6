// cComposite: the base of the controls made of other controls (the ranged
// slider, the edit slider and the vector edit). Its children are ordinary
// controls whose parent is the composite's own parent, so that they lay out
// in its content and tell it their changes directly; they sit in the
// composite's child list, which owns them and takes them down with it. The
// composite draws nothing and takes no input: each frame it only places its
// children (Measure) and reports the union of their rectangles. The children
// name the composite their owner, so that one taken down on its own leaves
// the composite's list and not only its parent's.
#pragma once
#include "core/rect.h"
#include "ui/wnd.h"

namespace tovan {

class cComposite : public cWnd {
public:
    explicit cComposite(cWnd* parent);

    void Update() override { Layout(); }
    cRect GetRect() override { return m_Whole; }
    // Measure, then cWnd::Layout over an empty rectangle: the children's
    // presses must reach them, not the composite in front of them.
    void Layout() override;

    cRect m_Whole;

protected:
    // Registers the child and appends it to the child list.
    template <class T>
    T* Adopt(T* child) {
        child->m_Owner = this;
        AddChild(child);
        return child;
    }
    cWnd* Child(int index) const;  // null out of range
};

}  // namespace tovan

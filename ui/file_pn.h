// cFilePn: a file path of the edited object in a read-only edit, with a "..."
// button beside it that opens the picker of the path's kind. A confirmed pick
// that changes the path tells the parent code 10 with the old and the new text
// (before the button's own code 0 reaches the parent). A cancelled pick, or
// the same file again, sends nothing.
//
// A composite: the edit and the button are ordinary controls of the field's
// parent; the field only places them and listens to the button.
#pragma once
#include <cstdint>

#include "core/str.h"
#include "ui/composite.h"
#include "ui/control.h"

namespace tovan {

class cButton;
class cEdit;

class cFilePn : public cComposite {
public:
    // Which picker the button opens; set by the creator (image by default).
    enum Kind : int32_t { kImage, kModel, kAnim, kCamera, kBsp, kSound, kXml, kKindCount };

    // path: the bound path (not owned).
    cFilePn(cWnd* parent, cStr* path, const char* caption);

    int GetType() override { return kFilePnType; }
    // Only the button's click (code 0) acts: it runs the picker.
    void OnNotify(WidgetHandle source, int code, const void* oldValue, const void* newValue) override;
    void Measure() override;

    // Starts the picker where the path points, and writes a confirmed pick.
    // False when nothing changed.
    bool PickPath();

    cEdit* PathEdit() const;
    cButton* PickButton() const;

    cStr* m_Path;
    int32_t m_Kind = kImage;
};

}  // namespace tovan

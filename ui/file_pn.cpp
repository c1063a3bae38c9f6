// cFilePn: placing the path edit and its button, and running the picker of
// the field's kind.
#include "ui/file_pn.h"

#include "core/log.h"
#include "io/file_pickers.h"
#include "io/io.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/widget_style.h"

namespace tovan {

namespace {

// Per kind: the picker, the file it remembers, and for the media kinds the
// extension of the framework's own format. A path in a foreign format only
// steers the shared media folder, since that picker remembers native files.
struct KindPicker {
    bool (*pick)(cStr& result);
    cStr PickerMemory::*file;
    const char* native;  // null: the path becomes the remembered file as it is
};
constexpr KindPicker kPickers[cFilePn::kKindCount] = {
    {cIO::PickImageToLoad, &PickerMemory::m_ImageFile, nullptr},
    {cIO::PickModelToLoad, &PickerMemory::m_ModelFile, "cModel"},
    {cIO::PickAnimToLoad, &PickerMemory::m_AnimFile, "cAnim"},
    {cIO::PickCameraToLoad, &PickerMemory::m_CameraFile, "cCamera"},
    {cIO::PickBspToLoad, &PickerMemory::m_BspFile, "cBsp"},
    {cIO::PickSoundToLoad, &PickerMemory::m_SoundFile, nullptr},
    {cIO::PickXmlToLoad, &PickerMemory::m_XmlFile, nullptr},
};

}  // namespace

cFilePn::cFilePn(cWnd* parent, cStr* path, const char* caption) : cComposite(parent), m_Path(path) {
    cEdit* edit = Adopt(new cEdit(parent, path, caption, 0, 0));
    edit->m_ReadOnlyRequest = true;
    cButton* button = Adopt(new cButton(parent, "...", 0, 0, true));
    button->m_FixedSize = true;
    button->m_Listener = this;
}

cEdit* cFilePn::PathEdit() const { return dynamic_cast<cEdit*>(Child(0)); }
cButton* cFilePn::PickButton() const { return dynamic_cast<cButton*>(Child(1)); }

void cFilePn::Measure() {
    cEdit* edit = PathEdit();
    cButton* button = PickButton();
    if (!edit || !button)
        return;
    const WidgetStyle& style = Style();
    edit->m_LayoutX = m_LayoutX;
    edit->m_LayoutY = m_LayoutY;
    edit->m_Align = m_Align;
    edit->Measure();
    button->m_LayoutX = m_LayoutX + 2 * style.m_Edit.m_Margin + style.m_Edit.m_TextWidth + style.m_ButtonGap;
    button->m_LayoutY = m_LayoutY + (style.m_Button.m_SmallButtonHeight - style.m_Edit.m_Height) / 2;
    button->m_Align = m_Align;
    button->Measure();
    m_Whole = UnionRect(edit->GetRect(), button->GetRect());
}

void cFilePn::OnNotify(WidgetHandle, int code, const void*, const void*) {
    if (code == kNotifyButton)
        PickPath();
}

bool cFilePn::PickPath() {
    if (!m_Path)
        return false;
    if (m_Kind < 0 || m_Kind >= kKindCount) {
        Log("A file field of kind %d has no picker", int(m_Kind));
        return false;
    }
    const KindPicker& picker = kPickers[m_Kind];
    const cStr old = *m_Path;
    PickerMemory& memory = GetPickerMemory();
    if (!old.IsEmpty()) {
        if (!picker.native || CompareStringsNoCase(old.GetExtension().GetText(), picker.native) == 0)
            memory.*picker.file = old;
        else
            memory.m_MediaFolder = old.GetFolder();
    }
    cStr picked;
    if (picker.pick(picked))
        *m_Path = picked;
    // The field's own path steered this pick only: the next one starts afresh.
    (memory.*picker.file).Clear();
    if (*m_Path == old)
        return false;
    NotifyParent(*this, kNotifyFilePath, old.GetText(), m_Path->GetText());
    return true;
}

}  // namespace tovan

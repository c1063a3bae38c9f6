// cClassExplorer::Stub's notifications: the tool bar's commands and the edits
// made through the rows, which become undo entries.
#include "classes/class.h"
#include "classes/xml.h"
#include "io/file_pickers.h"
#include "io/io.h"
#include "tools/class_explorer.h"
#include "ui/bind_button.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/control.h"
#include "ui/edit.h"
#include "ui/file_pn.h"
#include "ui/panel.h"
#include "ui/slider.h"

namespace tovan {

namespace {

bool StartsWith(const char* text, const char* prefix) {
    return text && CompareStrings(text, prefix, TextLength(prefix)) == 0;
}

// An undo entry for a row edit. Its address is the value the notifying
// control is bound to (a component, or one bound of a range), never the
// member's own address, which a composite shares among its controls.
bool MakeUndoRecord(cWnd* widget, int code, const void* oldValue, const void* newValue, UndoRecord& r) {
    if (!widget || !oldValue || !newValue)
        return false;
    const int type = widget->GetType();
    if (type == kCheckBoxType && code == kNotifyCheckBox) {
        cCheckBox* box = static_cast<cCheckBox*>(widget);
        if (!box->m_Value)
            return false;
        r.m_Bool = box->m_Value;
        r.m_NewBool = *static_cast<const bool*>(newValue);
        r.m_OldBool = !r.m_NewBool;
        return true;
    }
    if (type == kSliderType && (code == kNotifySliderFloat || code == kNotifySliderInt)) {
        cSlider* slider = static_cast<cSlider*>(widget);
        if (code == kNotifySliderFloat && slider->m_FloatValue) {
            r.m_Float = slider->m_FloatValue;
            r.m_OldFloat = *static_cast<const float*>(oldValue), r.m_NewFloat = *static_cast<const float*>(newValue);
            return true;
        }
        if (code == kNotifySliderInt && slider->m_IntValue) {
            r.m_Int = slider->m_IntValue;
            r.m_OldInt = *static_cast<const int32_t*>(oldValue), r.m_NewInt = *static_cast<const int32_t*>(newValue);
            return true;
        }
        return false;
    }
    if (type == kEditType) {
        cEdit* edit = static_cast<cEdit*>(widget);
        if (code == kNotifyEditInt && edit->m_Int) {
            r.m_Int = edit->m_Int;
            r.m_OldInt = *static_cast<const int32_t*>(oldValue), r.m_NewInt = *static_cast<const int32_t*>(newValue);
            return true;
        }
        if (code == kNotifyEditFloat && edit->m_Float) {
            r.m_Float = edit->m_Float;
            r.m_OldFloat = *static_cast<const float*>(oldValue), r.m_NewFloat = *static_cast<const float*>(newValue);
            return true;
        }
        if (code == kNotifyEditText && edit->m_String) {
            r.m_Text = edit->m_String;
            r.m_OldText = static_cast<const char*>(oldValue), r.m_NewText = static_cast<const char*>(newValue);
            return true;
        }
        return false;
    }
    if (type == kFilePnType && code == kNotifyFilePath) {
        cFilePn* field = static_cast<cFilePn*>(widget);
        if (!field->m_Path)
            return false;
        r.m_Text = field->m_Path;
        r.m_OldText = static_cast<const char*>(oldValue), r.m_NewText = static_cast<const char*>(newValue);
        return true;
    }
    int32_t* bound = nullptr;
    if (type == kBindButtonType && code == kNotifyBinding)
        bound = static_cast<cBindButton*>(widget)->m_Code;
    else if (type == kComboBoxType && code == kNotifyComboBox)
        bound = static_cast<cComboBox*>(widget)->m_Index;
    if (!bound)
        return false;
    r.m_Int = bound;
    r.m_OldInt = *static_cast<const int32_t*>(oldValue), r.m_NewInt = *static_cast<const int32_t*>(newValue);
    return true;
}

// Points the XML pickers at the object's last file and folder.
void PrimePickers(const ExplorerObject& record) {
    PickerMemory& memory = GetPickerMemory();
    memory.m_XmlFile = record.m_Path;
    memory.m_XmlFolder = record.m_Folder;
}

void KeepPicked(ExplorerObject& record) {
    const PickerMemory& memory = GetPickerMemory();
    record.m_Path = memory.m_XmlFile;
    record.m_Folder = memory.m_XmlFolder;
}

}  // namespace

bool cClassExplorer::Stub::CanPaste() {
    if (!m_Selection.m_Class)
        return false;
    const XmlText name = GetExplorerClipboard().Name();
    return ClipboardTypeKey(m_Selection.m_Class, m_Selection.m_Extra) == cStr(name);
}

void cClassExplorer::Stub::OnNotify(WidgetHandle source, int code, const void* oldValue, const void* newValue) {
    if (OnToolBar(source, code, oldValue))
        return;
    const ExplorerRow* found = FindRow(source);
    if (!found || source == m_ObjectCombo)
        return;
    const ExplorerRow row = *found;  // a rebuild empties the rows
    if (code == kNotifyPanelToggled) {
        const cPanel* panel = dynamic_cast<const cPanel*>(row.m_Widget);
        if (!panel || !row.m_Class)
            return;
        SaveScroll();
        const uint32_t flags = row.m_Class->GetViewFlags();
        row.m_Class->SetViewFlags(panel->m_Open ? flags | 1 : flags & ~1u);
        m_RebuildPending = true;
        return;
    }
    if (row.m_Class && StartsWith(row.m_Class->GetClassName(), "_cButton")) {
        // A command may change anything, even free what undo entries point
        // into. The pressed button is on the stack: rebuild at the next frame.
        if (ExplorerObject* record = CurrentRecord())
            record->ClearUndo();
        row.m_Class->Press(static_cast<cClass*>(row.m_Address));
        ApplyUndo(0);
        m_RebuildPending = true;
        return;
    }
    RecordEdit(row, code, oldValue, newValue);
}

void cClassExplorer::Stub::RecordEdit(const ExplorerRow& row, int code, const void* oldValue, const void* newValue) {
    UndoRecord record;
    if (MakeUndoRecord(row.m_Widget, code, oldValue, newValue, record))
        PushUndo(record);
}

bool cClassExplorer::Stub::OnToolBar(WidgetHandle source, int code, const void* oldValue) {
    if (source == -1)
        return false;
    if (source == m_ObjectCombo) {
        if (code != kNotifyComboBox)
            return true;
        const int old = oldValue ? *static_cast<const int32_t*>(oldValue) : -1;
        if (old != -1 && GetExplorerObject(old)) {
            const int shown = m_Current;
            m_Current = old;
            SaveScroll();
            SaveSelection();
            m_Current = shown;
        }
        SelectObject(m_Current);
        return true;
    }
    if (code != kNotifyButton)
        return source == m_ClassCombo;
    if (source == m_BackButton)
        Back();
    else if (source == m_ForwardButton)
        Forward();
    else if (source == m_Load)
        LoadObject();
    else if (source == m_Save)
        SaveObject();
    else if (source == m_Clear)
        ClearSelected();
    else if (source == m_Copy)
        CopySelected();
    else if (source == m_Paste)
        PasteSelected();
    else if (source == m_Undo)
        Rebuild(-1);
    else if (source == m_Redo)
        Rebuild(1);
    else if (source == m_Add)
        AddItem();
    else if (source == m_MoveUp || source == m_MoveDown || source == m_Delete)
        MoveOrDelete(source);
    else
        return false;
    return true;
}

void cClassExplorer::Stub::LoadObject() {
    ExplorerObject* record = CurrentRecord();
    if (!record || !record->m_Object)
        return;
    PrimePickers(*record);
    cStr path;
    // A cancelled pick leaves the object and its history as they were.
    if (cIO::PickXmlToLoad(path)) {
        record->ClearUndo();
        KeepPicked(*record);
        cClass* object = record->m_Object;
        object->Release(object);
        object->Init(object);
        object->Load(path.GetText());
        Rebuild(0);
    }
    GetPickerMemory().m_XmlFolder.Release();
}

void cClassExplorer::Stub::SaveObject() {
    ExplorerObject* record = CurrentRecord();
    if (!record || !record->m_Object)
        return;
    PrimePickers(*record);
    cStr path;
    if (cIO::PickXmlToSave(path)) {
        KeepPicked(*record);
        record->m_Object->SaveToFile(path.GetText());
    }
    GetPickerMemory().m_XmlFolder.Release();
}

void cClassExplorer::Stub::ClearSelected() {
    ExplorerObject* record = CurrentRecord();
    cClass* selected = m_Selection.m_Class;
    if (!selected || !record)
        return;
    record->ClearUndo();
    selected->Release(m_Selection.m_Address);
    selected->Init(m_Selection.m_Address);
    Rebuild(0);
}

void cClassExplorer::Stub::CopySelected() {
    cClass* selected = m_Selection.m_Class;
    if (!selected)
        return;
    XmlNode& clipboard = GetExplorerClipboard();
    clipboard.Clear();
    selected->ToXml(&clipboard, m_Selection.m_Address, m_Selection.m_Extra);
    if (clipboard.Name().IsEmpty())
        clipboard.SetName(ClipboardTypeKey(selected, m_Selection.m_Extra).GetText());
    Rebuild(0);
}

void cClassExplorer::Stub::PasteSelected() {
    ExplorerObject* record = CurrentRecord();
    if (!record || !CanPaste())
        return;
    record->ClearUndo();
    cClass* selected = m_Selection.m_Class;
    selected->Release(m_Selection.m_Address);
    selected->Init(m_Selection.m_Address);
    cReadContext context;
    selected->FromXml(&GetExplorerClipboard(), m_Selection.m_Address, &context, m_Selection.m_Extra);
    Rebuild(0);
}

void cClassExplorer::Stub::AddItem() {
    cClass* selected = m_Selection.m_Class;
    const char* name = selected ? selected->GetClassName() : nullptr;
    const bool pointer = StartsWith(name, "cClassPtr.");
    if (!StartsWith(name, "cClassList.") && !pointer)
        return;
    if (m_ClassIndex < 0 || m_ClassIndex >= m_ClassNames.Count())
        return;
    const cStr itemClass = m_ClassNames[m_ClassIndex];
    // A new pointer target replaces the old one and frees what its entries point into.
    if (pointer)
        if (ExplorerObject* record = CurrentRecord())
            record->ClearUndo();
    selected->AddNewItem(itemClass.GetText(), m_Selection.m_Address);
    Rebuild(0);
}

void cClassExplorer::Stub::MoveOrDelete(WidgetHandle source) {
    cClass* selected = m_Selection.m_Class;
    cClass* owner = selected ? selected->GetOwner() : nullptr;
    if (!owner || !StartsWith(owner->GetClassName(), "cClassList."))
        return;
    const int index = owner->IndexOfItem(selected);
    const int count = owner->GetAmountOfMembers();
    if (index < 0 || index >= count)
        return;
    if (source == m_MoveUp) {
        if (index > 0)
            owner->MoveItem(index, -1);
    } else if (source == m_MoveDown) {
        if (index < count - 1)
            owner->MoveItem(index, 1);
    } else {
        // The selection names the item about to go.
        m_Selection = ExplorerSelection();
        if (ExplorerObject* record = CurrentRecord())
            record->ClearUndo(), record->m_Selection = m_Selection;
        owner->RemoveItems(index, 1);
    }
    Rebuild(0);
}

}  // namespace tovan

// The Class Explorer: a form that shows one registered object at a time as a
// tree of rows, one widget per member (built by BuildPropertyPanel), bound to
// the member's storage. Its tool bar picks the object, loads and saves it as
// XML through the XML picker, moves back and forward through the objects
// viewed, undoes and redoes edits made through the rows, copies and pastes
// values through an XML clipboard, edits lists (add, move, delete) and sets
// the manipulator state the gizmos follow. Every frame it calls each shown
// object's UpdateHook and refreshes the rows' enabled and read-only states.
//
// Edits that can free or replace what undo entries point into (load, clear,
// paste, delete, a command button, a new pointer target) empty the object's
// undo history.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/str.h"
#include "tools/explorer_objects.h"
#include "ui/form.h"

namespace tovan {

class cClass;
class cToolBar;

// One row widget and the member it edits. Each child of a composite widget
// gets a row of its own with the composite's member data.
struct ExplorerRow {
    WidgetHandle m_Handle = -1;
    cWnd* m_Widget = nullptr;
    cClass* m_Class = nullptr;  // the field type; for a compound member the member object
    cClass* m_Owner = nullptr;  // the declaring object; null at the top
    void* m_Address = nullptr;
    void* m_Address2 = nullptr;
    uintptr_t m_Extra = 0;
    cStr m_Name;  // the caption the owner gives the member
};

class cClassExplorer {
public:
    class Stub;
};

class cClassExplorer::Stub : public cForm {
public:
    // Placed by the view's viewport the first time, then where it was left.
    // Shows the object of the history position, else the first registered one.
    Stub();
    ~Stub() override;

    void Update() override;
    void OnNotify(WidgetHandle source, int code, const void* oldValue, const void* newValue) override;
    void SetFocus(cWidget* widget) override;

    void SelectObject(int index);
    void Back();
    void Forward();
    void Refresh();
    void ClearRows();
    void Rebuild(int step);  // -1 undo, +1 redo first
    void RestoreScroll(float left, float top);
    void RestoreFocus();
    void UpdateRows();
    void PushUndo(const UndoRecord& record);
    void ApplyUndo(int step);
    bool CanPaste();

    // Called by the property panel builder for every widget it makes.
    void AddRow(const ExplorerRow& row);
    bool UsesToolBarLayout() const { return m_LayoutMode == kExplorerToolBarLayout; }

    ExplorerObject* CurrentRecord() { return GetExplorerObject(m_Current); }
    const ExplorerRow* FindRow(WidgetHandle handle) const;

    cStr m_TitleStem;
    int32_t m_LayoutMode = kExplorerToolBarLayout;
    int32_t m_Current = -1;  // bound to the "Object" combo
    cToolBar* m_ToolBar = nullptr;
    // Tool-bar controls.
    WidgetHandle m_ObjectCombo = -1, m_Load = -1, m_Save = -1, m_BackButton = -1, m_ForwardButton = -1;
    WidgetHandle m_Undo = -1, m_Redo = -1, m_Copy = -1, m_Paste = -1, m_Clear = -1, m_Add = -1;
    WidgetHandle m_ClassCombo = -1, m_MoveUp = -1, m_MoveDown = -1, m_Delete = -1;
    int32_t m_ClassIndex = 0;
    cList<cStr> m_ObjectNames;
    cList<cStr> m_ClassNames;
    cList<ExplorerRow> m_Rows;
    ExplorerSelection m_Selection;
    bool m_RebuildPending = false;

private:
    void BuildToolBar();
    void SaveScroll();
    void SaveSelection();
    void EnableTool(WidgetHandle handle, bool enabled);
    void UpdateToolState();
    void RecordEdit(const ExplorerRow& row, int code, const void* oldValue, const void* newValue);
    bool OnToolBar(WidgetHandle source, int code, const void* oldValue);
    void LoadObject();
    void SaveObject();
    void ClearSelected();
    void CopySelected();
    void PasteSelected();
    void AddItem();
    void MoveOrDelete(WidgetHandle source);
    void RememberLayout();
};

}  // namespace tovan

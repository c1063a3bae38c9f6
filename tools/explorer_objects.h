// What the Class Explorer keeps for the whole run, outside its form: the
// objects it can show, the order in which they were viewed, each object's
// edits for undo and redo, the XML clipboard, and the form's geometry for the
// next opening. Main thread only.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/rect.h"
#include "core/str.h"
#include "core/vec.h"

namespace tovan {

class cClass;
class XmlNode;

// One edit made through a row. Exactly one address is set: where the value
// lives (the component or bound the control changed), tried in this order.
struct UndoRecord {
    bool m_NewBool = false, m_OldBool = false;
    int32_t m_OldInt = 0, m_NewInt = 0;
    float m_OldFloat = 0, m_NewFloat = 0;
    cStr m_OldText, m_NewText;
    bool* m_Bool = nullptr;
    int32_t* m_Int = nullptr;
    float* m_Float = nullptr;
    cStr* m_Text = nullptr;
};

// The focused row, as the row lists name it; all null when none.
struct ExplorerSelection {
    cClass* m_Class = nullptr;  // field type, or the member object itself
    void* m_Address = nullptr;
    void* m_Address2 = nullptr;
    uintptr_t m_Extra = 0;
    int32_t m_Type = 0;  // WidgetType of the row's widget
};

struct ExplorerObject {
    cStr m_Name;
    cClass* m_Object = nullptr;  // not owned
    cStr m_Path;                 // last file loaded or saved
    cStr m_Folder;
    cList<UndoRecord> m_Undo;     // oldest first
    int32_t m_UndoPosition = -1;  // the last applied entry; -1 nothing to undo
    float m_ScrollLeft = 0, m_ScrollTop = 0;
    ExplorerSelection m_Selection;

    void ClearUndo();
    // Drops the undone entries (a linear history), appends, and makes the new
    // entry the last applied one. The value is already written.
    void PushUndo(const UndoRecord& record);
    // -1 writes the old value of the last applied entry, +1 the new value of
    // the next one; false when there was none.
    bool ApplyUndo(int step);
    bool CanUndo() const { return m_UndoPosition >= 0; }
    bool CanRedo() const { return m_UndoPosition < m_Undo.Count() - 1; }
};

// The objects the explorer offers, in registration order. A registered object
// must stay alive until it is unregistered.
int RegisterExplorerObject(const char* name, cClass* object);  // the record's index
// Drops every record of the object with its undo history, and its entries from
// the history (later indices move down). For an explorer that is not open.
void UnregisterExplorerObject(cClass* object);
int CountExplorerObjects();
ExplorerObject* GetExplorerObject(int index);  // null outside the list

// The objects in the order viewed, and the position of the one shown (-1 none).
struct ExplorerHistory {
    cList<int32_t> m_Entries;
    int32_t m_Position = -1;

    // Drops the entries after the position, appends the index and moves to it.
    void Visit(int index);
    bool CanGoBack() const { return m_Position >= 1; }
    bool CanGoForward() const { return m_Position + 1 < m_Entries.Count(); }
    // The object index moved to, -1 when there is nowhere to go.
    int Back();
    int Forward();
    int Current() const;  // -1 when the position names no entry
};
ExplorerHistory& GetExplorerHistory();

// The last copied value; its name is the key of the kind of value it holds.
XmlNode& GetExplorerClipboard();
// Values that read and write the same text share a key: the sliders take
// their number's, file names "_cStr", an enum value its enum's name.
cStr ClipboardTypeKey(cClass* fieldType, uintptr_t extra);

// The form's geometry per layout, restored when the explorer opens again.
enum ExplorerLayoutMode : int32_t { kExplorerToolBarLayout = 0, kExplorerPlainLayout = 1 };
struct ExplorerLayout {
    int32_t m_Marker = -1;  // -1: never placed
    cRect m_Rect;
    int32_t m_DockCode[2] = {-1, -1};
    cVec2 m_DockOffset[2];
    int32_t m_ExpandState = 2;
    float m_ToolBarScroll = 0;
};
ExplorerLayout& GetExplorerLayout(int mode);

}  // namespace tovan

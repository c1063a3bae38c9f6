// cClassExplorer::Stub: construction and geometry, the object shown, the rows
// and their per-frame states, focus and selection, and undo.
#include "tools/class_explorer.h"

#include "classes/class.h"
#include "core/view.h"
#include "tools/manipulator_state.h"
#include "tools/property_panel.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/control.h"
#include "ui/edit.h"
#include "ui/separator.h"
#include "ui/tool_bar.h"

namespace tovan {

namespace {

constexpr const char* kTitle = "Class Explorer";
// Layout passes are repeated while a row's extent still changes; a row that
// never settles must not hang the frame.
constexpr int kMaxLayoutPasses = 16;

bool StartsWith(const char* text, const char* prefix) {
    return text && CompareStrings(text, prefix, TextLength(prefix)) == 0;
}

// The widget is asked its type last: the rows' own fields settle most rows
// without reaching into their widgets.
bool SameSelection(const ExplorerRow& row, const ExplorerSelection& s) {
    return row.m_Class == s.m_Class && row.m_Address == s.m_Address && row.m_Address2 == s.m_Address2 &&
           row.m_Extra == s.m_Extra && row.m_Widget->GetType() == s.m_Type;
}

// A member name as the owner's enabled and read-only queries take it.
const char* PlainMemberName(const cStr& name) {
    const int at = name.Find("::");
    return at < 0 ? name.GetText() : name.GetText() + at + 2;
}

struct ToolButton {
    WidgetHandle cClassExplorer::Stub::*handle;
    const char* caption;
    int32_t image;
    bool separatorAfter;
};

}  // namespace

// --- construction -------------------------------------------------------------------

cClassExplorer::Stub::Stub() : cForm(nullptr) {
    m_TitleStem = kTitle;
    m_Title = kTitle;
    m_LayoutMode = kExplorerToolBarLayout;
    m_FixedContentWidth = true;  // the rows take the view's width

    ExplorerLayout& layout = GetExplorerLayout(m_LayoutMode);
    if (layout.m_Marker == -1) {
        const cRect v = CurrentView ? CurrentView->m_Viewport : cRect{0, 0, 0, 0};
        if (UsesToolBarLayout())
            m_Rect = {v.x1 - 544, v.y0 + 16, v.x1 - 16, v.y1 - 16};
        else
            m_Rect = {v.x1 - 600, v.y0 + 80, v.x1 - 18, v.y1 - 68};
        ComputeDocking();
        layout.m_Marker = 0;
        layout.m_Rect = m_Rect;
        for (int i = 0; i < 2; ++i)
            layout.m_DockCode[i] = m_DockCode[i], layout.m_DockOffset[i] = m_DockOffset[i];
    } else {
        m_Rect = layout.m_Rect;
        for (int i = 0; i < 2; ++i)
            m_DockCode[i] = layout.m_DockCode[i], m_DockOffset[i] = layout.m_DockOffset[i];
        if (layout.m_ExpandState == kCollapsed)
            ToggleCollapse();
    }
    BuildToolBar();
    if (m_ToolBar && layout.m_Marker != -1)
        m_ToolBar->m_Offset = layout.m_ToolBarScroll;

    ExplorerHistory& history = GetExplorerHistory();
    if (GetExplorerObject(history.Current())) {
        m_Current = history.Current();
        Refresh();
    } else if (CountExplorerObjects() > 0) {
        SelectObject(0);
    }
    if (!m_Focused)
        FocusNext(true);
}

void cClassExplorer::Stub::BuildToolBar() {
    m_ToolBar = new cToolBar(this);
    m_Extra = m_ToolBar;
    AddWidget(m_ToolBar, kFormLayer);
    auto add = [this](cWnd* control) { return m_ToolBar->AddChild(control); };
    auto separator = [&] { add(new cSeparator(m_ToolBar, nullptr)); };
    auto button = [&](const ToolButton& b) {
        cButton* control = new cButton(m_ToolBar, b.caption, 0, 0, false);
        control->m_Image = b.image;
        this->*b.handle = add(control);
        if (b.separatorAfter)
            separator();
    };

    for (int i = 0; i < CountExplorerObjects(); ++i)
        m_ObjectNames.PushBack(GetExplorerObject(i)->m_Name);
    m_ObjectCombo = add(new cComboBox(m_ToolBar, &m_Current, "Object", m_ObjectNames, 0, 0, true));
    separator();
    button({&Stub::m_Load, "Load...", 1, false});
    button({&Stub::m_Save, "Save...", 2, true});
    add(new cEdit(m_ToolBar, &ManipulatorSnap, "Snap", 0, 0));
    cList<cStr> modes;
    for (const char* mode : {"No Manipulator", "Move", "Rotate", "Scale", "Universal"})
        modes.PushBack(cStr(mode));
    add(new cComboBox(m_ToolBar, &ManipulatorMode, nullptr, modes, 0, 0, true));
    add(new cCheckBox(m_ToolBar, &ManipulatorLocal, "Local", 0, 0));
    separator();
    button({&Stub::m_BackButton, "Back", 3, false});
    button({&Stub::m_ForwardButton, "Forward", 4, true});
    button({&Stub::m_Undo, "Undo", 5, false});
    button({&Stub::m_Redo, "Redo", 6, true});
    button({&Stub::m_Copy, "Copy", 7, false});
    button({&Stub::m_Paste, "Paste", 8, false});
    button({&Stub::m_Clear, "Clear", 0, true});
    button({&Stub::m_Add, "Add", 10, false});
    cComboBox* classes = new cComboBox(m_ToolBar, &m_ClassIndex, "Class", m_ClassNames, 0, 0, false);
    classes->SetAcceptsFocus(false);
    m_ClassCombo = add(classes);
    separator();
    button({&Stub::m_MoveUp, "Move Up", 11, false});
    button({&Stub::m_MoveDown, "Move Down", 12, false});
    button({&Stub::m_Delete, "Delete", 9, true});
}

cClassExplorer::Stub::~Stub() {
    RememberLayout();
    if (CurrentRecord()) {
        SaveScroll();
        SaveSelection();
    }
}

void cClassExplorer::Stub::RememberLayout() {
    ExplorerLayout& layout = GetExplorerLayout(m_LayoutMode);
    layout.m_Marker = 0;
    if (m_ExpandState != kCollapsed)
        layout.m_Rect = m_Rect;
    for (int i = 0; i < 2; ++i)
        layout.m_DockCode[i] = m_DockCode[i], layout.m_DockOffset[i] = m_DockOffset[i];
    layout.m_ExpandState = m_ExpandState;
    if (m_ToolBar && UsesToolBarLayout())
        layout.m_ToolBarScroll = m_ToolBar->m_Offset;
}

// --- the object shown -----------------------------------------------------------------

void cClassExplorer::Stub::SelectObject(int index) {
    m_Current = index;
    GetExplorerHistory().Visit(index);
    Refresh();
}

void cClassExplorer::Stub::Back() {
    ExplorerHistory& history = GetExplorerHistory();
    if (!history.CanGoBack())
        return;
    if (CurrentRecord())
        SaveScroll(), SaveSelection();
    m_Current = history.Back();
    Refresh();
}

void cClassExplorer::Stub::Forward() {
    ExplorerHistory& history = GetExplorerHistory();
    if (!history.CanGoForward())
        return;
    if (CurrentRecord())
        SaveScroll(), SaveSelection();
    m_Current = history.Forward();
    Refresh();
}

void cClassExplorer::Stub::Refresh() {
    ExplorerObject* record = CurrentRecord();
    if (record) {
        m_Title = record->m_Name;
        if (UsesToolBarLayout()) {
            m_Title += " - ";
            m_Title += m_TitleStem;
        }
    }
    ClearRows();
    if (record)
        RestoreScroll(record->m_ScrollLeft, record->m_ScrollTop);
    EnableTool(m_Load, record != nullptr);
    EnableTool(m_Save, record != nullptr);
    const ExplorerHistory& history = GetExplorerHistory();
    EnableTool(m_BackButton, history.CanGoBack());
    EnableTool(m_ForwardButton, history.CanGoForward());
}

void cClassExplorer::Stub::ClearRows() {
    if (!m_Rows.IsEmpty()) {
        // The first row is the root panel: its children go with it.
        const WidgetHandle root = m_Rows[0].m_Handle;
        const bool rootIsRow = m_Rows[0].m_Widget != GetWidget(m_ObjectCombo);
        m_Rows.DestroyItems();  // the block stays for the rows built next
        m_Selection = ExplorerSelection();
        if (rootIsRow && GetWidget(root))
            RemoveWidgetNow(root, true);
    }
    ExplorerObject* record = CurrentRecord();
    if (!record || !record->m_Object)
        return;
    BuildPropertyPanel(this, this, nullptr, record->m_Object, nullptr, 0, nullptr, true);
    ExplorerRow combo;
    combo.m_Handle = m_ObjectCombo;
    combo.m_Widget = dynamic_cast<cWnd*>(GetWidget(m_ObjectCombo));
    combo.m_Class = record->m_Object;
    combo.m_Address = combo.m_Address2 = record->m_Object;
    m_Rows.PushBack(combo);
}

void cClassExplorer::Stub::Rebuild(int step) {
    if (m_ExpandState == kCollapsed)
        return;
    ExplorerObject* record = CurrentRecord();
    if (record)
        SaveScroll();
    if (step == -1 || step == 1)
        ApplyUndo(step);
    ClearRows();
    if (record)
        RestoreScroll(record->m_ScrollLeft, record->m_ScrollTop);
    RestoreFocus();
}

void cClassExplorer::Stub::RestoreScroll(float left, float top) {
    UpdateRows();
    // Rows measure from their neighbours: lay out until no extent moves.
    cList<cRect> extents;
    for (int pass = 0; pass < kMaxLayoutPasses; ++pass) {
        Layout();
        bool changed = false;
        for (int i = 0; i < m_Rows.Count(); ++i) {
            cWnd* widget = m_Rows[i].m_Widget;
            if (!widget)
                continue;
            widget->Layout();
            const cRect r = widget->GetRect();
            if (i >= extents.Count())
                extents.PushBack(r), changed = true;
            else if (extents[i] != r)
                extents[i] = r, changed = true;
        }
        if (!changed)
            break;
    }
    if (m_ToolBar) {
        const float offset = m_ToolBar->m_Offset;
        m_ToolBar->Layout();
        m_ToolBar->m_Offset = offset;
    }
    ScrollBy(left - m_Scroll.x0, top - m_Scroll.y1);
    if (ExplorerObject* record = CurrentRecord())
        m_Selection = record->m_Selection;
    RestoreFocus();
    ApplyUndo(0);
}

void cClassExplorer::Stub::RestoreFocus() {
    const ExplorerSelection saved = m_Selection;
    m_Focused = nullptr;
    for (const ExplorerRow& row : m_Rows) {
        if (row.m_Widget && SameSelection(row, saved)) {
            SetFocus(row.m_Widget);
            return;
        }
    }
    // The saved row is gone: nothing stays selected unless a row takes the focus.
    m_Selection = ExplorerSelection();
    FocusNext(true);
}

void cClassExplorer::Stub::SaveScroll() {
    if (ExplorerObject* record = CurrentRecord()) {
        record->m_ScrollLeft = m_Scroll.x0;
        record->m_ScrollTop = m_Scroll.y1;
    }
}

void cClassExplorer::Stub::SaveSelection() {
    if (ExplorerObject* record = CurrentRecord())
        record->m_Selection = m_Selection;
}

// --- per frame ------------------------------------------------------------------------

void cClassExplorer::Stub::Update() {
    if (m_RebuildPending) {
        Rebuild(0);
        m_RebuildPending = false;
    }
    UpdateRows();
    cForm::Update();
}

void cClassExplorer::Stub::UpdateRows() {
    const cClass* previous = nullptr;
    bool enabled = true, readOnly = false;
    for (int i = 0; i < m_Rows.Count(); ++i) {
        const ExplorerRow& row = m_Rows[i];
        if (i == 0 || row.m_Class != previous) {
            enabled = true, readOnly = false;
            if (row.m_Owner) {
                const char* name = PlainMemberName(row.m_Name);
                enabled = row.m_Owner->IsMemberEnabled(name);
                readOnly = row.m_Owner->IsMemberReadOnly(name);
            }
            if (row.m_Class)
                row.m_Class->UpdateHook();
            previous = row.m_Class;
        }
        // A hook may have rebuilt nothing, but it may have removed a widget.
        cWnd* widget = row.m_Widget;
        if (!widget || GetWidget(row.m_Handle) != widget)
            continue;
        widget->m_EnabledFlag = enabled;
        if (widget->GetType() == kEditType)
            static_cast<cEdit*>(widget)->m_ReadOnly = readOnly;
    }
}

// --- focus and selection --------------------------------------------------------------

const ExplorerRow* cClassExplorer::Stub::FindRow(WidgetHandle handle) const {
    if (handle == -1)
        return nullptr;
    for (const ExplorerRow& row : m_Rows)
        if (row.m_Handle == handle)
            return &row;
    return nullptr;
}

void cClassExplorer::Stub::SetFocus(cWidget* widget) {
    if (widget && widget == GetWidget(m_ClassCombo))
        return;
    ExplorerObject* record = CurrentRecord();
    if (record && record->m_Object && record->m_Object->IsCompound())
        record->m_Object->ClearViewFlags(record->m_Object);
    m_Focused = widget;
    m_Selection = ExplorerSelection();
    for (const ExplorerRow& row : m_Rows) {
        if (widget && row.m_Widget == widget) {
            m_Selection = {row.m_Class, row.m_Address, row.m_Address2, row.m_Extra, row.m_Widget->GetType()};
            break;
        }
    }
    if (record)
        record->m_Selection = m_Selection;
    if (m_Selection.m_Class && m_Selection.m_Class->IsCompound())
        m_Selection.m_Class->SetViewFlags(m_Selection.m_Class->GetViewFlags() | 2);
    UpdateToolState();
}

void cClassExplorer::Stub::EnableTool(WidgetHandle handle, bool enabled) {
    if (cWnd* tool = dynamic_cast<cWnd*>(GetWidget(handle)))
        tool->m_EnabledFlag = enabled;
}

void cClassExplorer::Stub::UpdateToolState() {
    cClass* selected = m_Selection.m_Class;
    EnableTool(m_Copy, selected != nullptr);
    EnableTool(m_Clear, selected != nullptr);
    EnableTool(m_Add, false);
    cComboBox* classes = dynamic_cast<cComboBox*>(GetWidget(m_ClassCombo));
    if (classes)
        classes->m_VisibleFlag = false;
    const char* name = selected ? selected->GetClassName() : nullptr;
    const bool list = StartsWith(name, "cClassList.");
    const bool emptyPointer = StartsWith(name, "cClassPtr.") && selected->GetAmountOfMembers() == 0;
    if (list || emptyPointer) {
        EnableTool(m_Add, true);
        cAddableClasses addable;
        selected->GetAddableClasses(addable, -1, m_Selection.m_Address, 7, nullptr, nullptr);
        m_ClassNames = addable.names;
        if (const char* item = selected->GetItemClassName())
            m_ClassNames.PushBack(cStr(item));
        if (classes) {
            classes->m_VisibleFlag = true;
            classes->SetItems(m_ClassNames);
        }
        const int count = m_ClassNames.Count();
        m_ClassIndex = m_ClassIndex >= count ? count - 1 : m_ClassIndex;
        m_ClassIndex = m_ClassIndex < 0 ? 0 : m_ClassIndex;
    }
    EnableTool(m_MoveUp, false);
    EnableTool(m_MoveDown, false);
    EnableTool(m_Delete, false);
    ExplorerObject* record = CurrentRecord();
    cClass* owner = selected ? selected->GetOwner() : nullptr;
    if (selected && record && selected != record->m_Object && owner &&
        StartsWith(owner->GetClassName(), "cClassList.")) {
        const int index = owner->IndexOfItem(selected);
        EnableTool(m_MoveUp, index > 0);
        EnableTool(m_MoveDown, index >= 0 && index < owner->GetAmountOfMembers() - 1);
        EnableTool(m_Delete, index >= 0);
    }
    EnableTool(m_Paste, CanPaste());
}

void cClassExplorer::Stub::AddRow(const ExplorerRow& row) { m_Rows.PushBack(row); }

// --- undo -----------------------------------------------------------------------------

void cClassExplorer::Stub::PushUndo(const UndoRecord& record) {
    ExplorerObject* object = CurrentRecord();
    if (!UsesToolBarLayout() || !object)
        return;
    object->PushUndo(record);
    ApplyUndo(0);
}

void cClassExplorer::Stub::ApplyUndo(int step) {
    ExplorerObject* object = CurrentRecord();
    if (!UsesToolBarLayout())
        return;
    if (object)
        object->ApplyUndo(step);
    EnableTool(m_Undo, object && object->CanUndo());
    EnableTool(m_Redo, object && object->CanRedo());
}

}  // namespace tovan

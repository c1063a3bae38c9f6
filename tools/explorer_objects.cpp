#include "tools/explorer_objects.h"

#include "classes/class.h"
#include "classes/registry.h"
#include "classes/xml.h"

namespace tovan {

namespace {

cList<ExplorerObject>& Objects() {
    static cList<ExplorerObject> objects;
    return objects;
}

// Writes one side of an entry to the first address it has.
void WriteSide(const UndoRecord& r, bool newSide) {
    if (r.m_Bool)
        *r.m_Bool = newSide ? r.m_NewBool : r.m_OldBool;
    else if (r.m_Int)
        *r.m_Int = newSide ? r.m_NewInt : r.m_OldInt;
    else if (r.m_Float)
        *r.m_Float = newSide ? r.m_NewFloat : r.m_OldFloat;
    else if (r.m_Text)
        *r.m_Text = newSide ? r.m_NewText : r.m_OldText;
}

struct KeyAlias {
    const char* className;
    const char* key;
};
constexpr KeyAlias kKeyAliases[] = {
    {"_cSliderF", "_cFloat"}, {"_cEditSliderF", "_cFloat"}, {"_cSliderI", "_cInt"},  {"_cEditSliderI", "_cInt"},
    {"_cImageFile", "_cStr"}, {"_cModelFile", "_cStr"},     {"_cAnimFile", "_cStr"}, {"_cCameraFile", "_cStr"},
    {"_cBspFile", "_cStr"},   {"_cSoundFile", "_cStr"},     {"_cXmlFile", "_cStr"},
};

}  // namespace

void ExplorerObject::ClearUndo() {
    m_Undo.Free();
    m_UndoPosition = -1;
}

void ExplorerObject::PushUndo(const UndoRecord& record) {
    if (m_UndoPosition < m_Undo.Count() - 1)
        m_Undo.Resize(m_UndoPosition + 1);
    m_Undo.PushBack(record);
    m_UndoPosition = m_Undo.Count() - 1;
}

bool ExplorerObject::ApplyUndo(int step) {
    if (step < 0 && CanUndo()) {
        WriteSide(m_Undo[m_UndoPosition], false);
        --m_UndoPosition;
        return true;
    }
    if (step > 0 && CanRedo()) {
        ++m_UndoPosition;
        WriteSide(m_Undo[m_UndoPosition], true);
        return true;
    }
    return false;
}

int RegisterExplorerObject(const char* name, cClass* object) {
    ExplorerObject record;
    record.m_Name = name;
    record.m_Object = object;
    return Objects().PushBack(std::move(record));
}

void UnregisterExplorerObject(cClass* object) {
    cList<ExplorerObject>& objects = Objects();
    ExplorerHistory& history = GetExplorerHistory();
    for (int i = objects.Count() - 1; i >= 0; --i) {
        if (objects[i].m_Object != object)
            continue;
        objects.RemoveAt(i);
        cList<int32_t> kept;
        int position = history.m_Position;
        for (int k = 0; k < history.m_Entries.Count(); ++k) {
            const int entry = history.m_Entries[k];
            if (entry == i) {
                if (k <= history.m_Position)
                    --position;
                continue;
            }
            kept.PushBack(entry > i ? entry - 1 : entry);
        }
        history.m_Entries = std::move(kept);
        if (position < 0 && !history.m_Entries.IsEmpty())
            position = 0;
        history.m_Position = position;
    }
}

int CountExplorerObjects() { return Objects().Count(); }

ExplorerObject* GetExplorerObject(int index) {
    cList<ExplorerObject>& objects = Objects();
    return index >= 0 && index < objects.Count() ? objects.At(index) : nullptr;
}

void ExplorerHistory::Visit(int index) {
    if (m_Position >= 0 && m_Position + 1 < m_Entries.Count())
        m_Entries.Resize(m_Position + 1);
    m_Entries.PushBack(index);
    m_Position = m_Entries.Count() - 1;
}

int ExplorerHistory::Back() {
    if (!CanGoBack())
        return -1;
    return m_Entries[--m_Position];
}

int ExplorerHistory::Forward() {
    if (!CanGoForward())
        return -1;
    return m_Entries[++m_Position];
}

int ExplorerHistory::Current() const {
    return m_Position >= 0 && m_Position < m_Entries.Count() ? m_Entries[m_Position] : -1;
}

ExplorerHistory& GetExplorerHistory() {
    static ExplorerHistory history;
    return history;
}

XmlNode& GetExplorerClipboard() {
    static XmlNode clipboard;
    return clipboard;
}

cStr ClipboardTypeKey(cClass* fieldType, uintptr_t extra) {
    const char* name = fieldType ? fieldType->GetClassName() : nullptr;
    if (!name)
        return cStr();
    if (CompareStrings(name, "_cIndex") == 0) {
        const cEnum* labels = reinterpret_cast<const cEnum*>(extra);
        return labels ? labels->m_Name : cStr();
    }
    for (const KeyAlias& alias : kKeyAliases)
        if (CompareStrings(name, alias.className) == 0)
            return cStr(alias.key);
    return cStr(name);
}

ExplorerLayout& GetExplorerLayout(int mode) {
    static ExplorerLayout layouts[2];
    return layouts[mode == kExplorerPlainLayout ? 1 : 0];
}

}  // namespace tovan

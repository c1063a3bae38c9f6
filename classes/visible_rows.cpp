// The rows the Class Explorer shows for an object: which members count under a
// filter, the "add..." row of lists, and the classes that row offers.
#include "classes/class.h"
#include "classes/engine_internal.h"
#include "classes/registry.h"

namespace tovan {

namespace {
const char kAddRowText[] = "add...";
}

// With wantedRow < 0 answers the row count (the "add..." row included); otherwise
// the member index of that row, -1 past the members.
int cClass::WalkRows(void* object, int filter, int wantedRow) {
    cClass* subject = Subject(object);
    const int members = subject->GetAmountOfMembers();
    cClass* compoundObject = IsCompound() ? static_cast<cClass*>(object) : nullptr;
    if (compoundObject && compoundObject->QueryOwnerChain() && (filter & kRowsPlain))
        filter |= kRowsAddItem;

    int count = 0;
    if ((filter & kRowsAll) == kRowsAll) {
        if (wantedRow >= 0)
            return wantedRow < members ? wantedRow : -1;
        count = members;
    } else {
        for (int j = 0; j < members; ++j) {
            bool hasRows = subject->HasContent(j, object);
            cClass* fieldType = subject->GetMemberClass(j);
            if (fieldType && fieldType->IsCompound()) {
                auto* member = static_cast<cClass*>(subject->GetMemberPtr(j, object));
                if (member && member->QueryOwnerChain())
                    hasRows = false;
            }
            if (compoundObject) {
                if (compoundObject->QueryOwnerChain())
                    hasRows = false;
                else if (!compoundObject->GetOwner())
                    hasRows = true;
            }
            if ((!hasRows && (filter & kRowsPlain)) || (hasRows && (filter & kRowsCompound))) {
                if (count == wantedRow)
                    return j;
                ++count;
            }
        }
        if (wantedRow >= 0)
            return -1;
    }
    const int flags = subject->GetListFlags();
    if (((flags & kListAddOnlyWhenEmpty) && count != 0) || flags == 0 || !(filter & kRowsAddItem))
        return count;
    return count + 1;  // the "add..." row, always last
}

int cClass::CountVisibleMembers(void* object, int filter) { return WalkRows(object, filter, -1); }

int cClass::MapVisibleIndex(int row, void* object, int filter) { return row < 0 ? -1 : WalkRows(object, filter, row); }

cClass* cClass::GetVisibleMemberClass(int row, void* object, int filter) {
    const int i = MapVisibleIndex(row, object, filter);
    return i < 0 ? nullptr : Subject(object)->GetMemberClass(i);
}

void* cClass::GetVisibleMemberPtr(int row, void* object, int filter) {
    const int i = MapVisibleIndex(row, object, filter);
    return i < 0 ? nullptr : Subject(object)->GetMemberPtr(i, object);
}

uintptr_t cClass::GetVisibleMemberExtra(int row, void* object, int filter) {
    const int i = MapVisibleIndex(row, object, filter);
    return i < 0 ? 0 : Subject(object)->GetMemberExtra(i);
}

bool cClass::HasContent(int i, void* object) {
    if (i < 0 || i >= GetAmountOfMembers())
        return false;
    cClass* fieldType = GetMemberClass(i);
    void* address = GetMemberPtr(i, object);
    if (!fieldType || !address)
        return false;
    return fieldType->CountVisibleMembers(address, kRowsAll | kRowsAddItem) != 0;
}

bool cClass::VisibleHasContent(int row, void* object, int filter) {
    const int i = MapVisibleIndex(row, object, filter);
    return i >= 0 && Subject(object)->HasContent(i, object);
}

const char* cClass::GetVisibleMemberName(int row, void* object, int filter) {
    const int i = MapVisibleIndex(row, object, filter);
    return i < 0 ? kAddRowText : Subject(object)->GetMemberName(i);
}

const char* cClass::GetVisibleMemberCaption(int row, void* object, int filter) {
    const int i = MapVisibleIndex(row, object, filter);
    return i < 0 ? kAddRowText : Subject(object)->GetMemberCaption(i);
}

const cMemberDesc* cClass::VisibleMemberDesc(int row, void* object, int filter) {
    const int i = MapVisibleIndex(row, object, filter);
    return i < 0 ? nullptr : Subject(object)->DescribedMember(i);
}

bool cClass::IsVisibleMemberMarked(int row, void* object, int filter) {
    const cMemberDesc* member = VisibleMemberDesc(row, object, filter);
    return member && member->m_Marked;
}

bool cClass::IsVisibleMemberExpanded(int row, void* object, int filter) {
    const cMemberDesc* member = VisibleMemberDesc(row, object, filter);
    return member && member->m_Expanded;
}

bool cClass::IsVisibleMemberHidden(int row, void* object, int filter) {
    const cMemberDesc* member = VisibleMemberDesc(row, object, filter);
    return member && member->m_Hidden;
}

bool cClass::GetAddableClasses(cAddableClasses& output, int row, void* object, int filter, cClass* acceptor,
                               void* acceptorArgument) {
    const int flags = GetListFlags();
    const int mapped = MapVisibleIndex(row, object, filter);
    if (!((flags & kListAddOnlyWhenEmpty) || (mapped == -1 && (flags & (kListAddItemClass | kListAddDerived)))))
        return false;
    const char* itemName = Subject(object)->GetItemClassName();
    const cClassDesc* itemDesc = itemName ? FindClassDescriptor(itemName) : nullptr;
    if (!itemDesc)
        return false;

    auto accepted = [&](const char* name) {
        return !acceptor || !acceptorArgument || acceptor->AcceptsItemClass(acceptorArgument, name);
    };
    bool added = false;
    if ((flags & kListAddItemClass) && accepted(itemName)) {
        output.names.PushBack(cStr(itemName));
        int position = -1;
        if (!itemDesc->m_DisplayText.IsEmpty()) {
            position = output.groups.Count();
            output.groups.PushBack(itemDesc->m_DisplayText);
        }
        output.groupOf.PushBack(position);
        added = true;
    }
    if (flags & kListAddDerived) {
        for (const cStr& name : itemDesc->m_Derived) {
            if (name == itemName || !accepted(name.GetText()))
                continue;
            output.names.PushBack(name);
            int position = -1;
            const cClassDesc* desc = FindClassDescriptor(name.GetText());
            if (desc && !desc->m_DisplayText.IsEmpty()) {
                for (int g = output.groups.Count() - 1; g >= 0 && position < 0; --g)
                    if (output.groups[g] == desc->m_DisplayText)
                        position = g;
                if (position < 0) {
                    position = output.groups.Count();
                    output.groups.PushBack(desc->m_DisplayText);
                }
            }
            output.groupOf.PushBack(position);
            added = true;
        }
    }
    if (output.groups.Count() <= 1)
        output.groups.Resize(0);
    return added;
}

}  // namespace tovan

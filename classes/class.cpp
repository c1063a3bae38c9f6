#include "classes/class.h"

#include "classes/engine_internal.h"
#include "classes/registry.h"
#include "classes/xml.h"

namespace tovan {

namespace {

void ReportUndefinedClass(const cClass* object) {
    ClassEngineLog("Undefined class found: \"%s\"\n", TextOrEmpty(object->GetClassName()));
}

bool SharesMask(const cMemberDesc* member, uint32_t mask) { return (member->m_Mask & mask) != 0; }

}  // namespace

// Members declared without address (headings, buttons) answer the object itself;
// their field types must never treat the object as a value.
bool HoldsValue(const void* address, const void* object) { return address && address != object; }

namespace {

// The descriptor of an object whose count members are its declared members, all
// of them (no mask): their field types and addresses are the descriptor's own.
// Null for lists (their members are items) and classes without descriptor.
cClassDesc* DeclaredMembers(cClass* object, int count) {
    cClassDesc* desc = object->GetClassDescriptor();
    return desc && count > 0 && count == desc->m_Members.Count() && object->GetMemberMask() == 0xFFFFFFFFu ? desc
                                                                                                           : nullptr;
}

// Calls visit(fieldType, address) for every member of object that holds a value.
template <class Visit>
void ForEachValue(cClass* object, Visit visit) {
    const int count = object->GetAmountOfMembers();
    if (const cClassDesc* desc = DeclaredMembers(object, count)) {
        for (int i = 0; i < count; ++i) {
            const cMemberDesc* member = desc->m_Members[i];
            void* address = MemberAddress(member, object);
            if (member->m_FieldType && HoldsValue(address, object))
                visit(member->m_FieldType, address);
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        cClass* fieldType = object->GetMemberClass(i);
        void* address = object->GetMemberPtr(i, object);
        if (fieldType && HoldsValue(address, object))
            visit(fieldType, address);
    }
}

}  // namespace

void* MemberAddress(const cMemberDesc* member, void* object) {
    if (member->m_GetValue) {
        static uint32_t word;
        word = member->m_GetValue(static_cast<cClass*>(object));
        return &word;
    }
    if (member->m_GetPointer)
        return member->m_GetPointer(static_cast<cClass*>(object));
    if (member->m_Absolute)
        return reinterpret_cast<void*>(member->m_Offset);
    return object ? static_cast<char*>(object) + member->m_Offset : nullptr;
}

cClassDesc* CachedClassDescriptor(cClassDesc*& cache, const char* name) {
    if (!cache && name) {
        cache = FindClassDescriptor(name);
        if (!cache)
            cache = RegisterClassDescriptor(name);
    }
    return cache;
}

cClass* FinishCreatedObject(cClass* object) {
    object->Init(object);
    object->OnCreated();
    object->OwnMembers();
    return object;
}

// --- members -----------------------------------------------------------------

void cClass::Init(void* value) {
    RegisterBuiltinClasses();
    if (!IsCompound() || !value)
        return;
    cClass* object = static_cast<cClass*>(value);
    object->m_Released = false;
    ForEachValue(object, [](cClass* fieldType, void* address) { fieldType->Init(address); });
    object->SetDefaults();  // after the field types, so class defaults win
}

// Once per life: a second Release before the next Init would run the hooks again
// on resources they already gave back.
void cClass::Release(void* value) {
    if (!IsCompound() || !value)
        return;
    cClass* object = static_cast<cClass*>(value);
    if (object->m_Released)
        return;
    object->m_Released = true;  // before the hooks, so that nothing they do releases it again
    object->ReleaseHooks();
    ForEachValue(object, [](cClass* fieldType, void* address) { fieldType->Release(address); });
}

void cClass::ReleaseOnDestruction() {
    if (m_Released || !IsCompound())
        return;
    const cClassDesc* desc = GetClassDescriptor();
    if (desc && !desc->m_Members.IsEmpty()) {
        Release(this);
    } else {
        // Members never declared (or none): a destructor declares nothing; member
        // objects and list items release themselves as they are destroyed.
        m_Released = true;
        ReleaseHooks();
    }
    m_Released = true;  // also when an override of Release did not mark it
}

int cClass::GetAmountOfMembers() {
    cClassDesc* desc = GetClassDescriptor();
    RegisterMembers();
    if (!desc) {
        ReportUndefinedClass(this);
        return 0;
    }
    const uint32_t mask = GetMemberMask();
    if (mask == 0xFFFFFFFFu)
        return desc->m_Members.Count();
    int count = 0;
    for (const cMemberDesc* member : desc->m_Members)
        count += SharesMask(member, mask);
    return count;
}

int cClass::MapMaskedIndex(int i) {
    if (i >= kRawMemberIndex)
        return i - kRawMemberIndex;
    const uint32_t mask = GetMemberMask();
    if (mask == 0xFFFFFFFFu)
        return i;
    const cClassDesc* desc = GetClassDescriptor();
    if (!desc) {
        ReportUndefinedClass(this);
        return -1;
    }
    for (int k = 0; k < desc->m_Members.Count(); ++k)
        if (SharesMask(desc->m_Members[k], mask) && i-- == 0)
            return k;
    return -1;  // no such member: callers answer null rather than member 0
}

const cMemberDesc* cClass::DescribedMember(int i) {
    const int raw = MapMaskedIndex(i);
    const cClassDesc* desc = GetClassDescriptor();
    if (!desc || raw < 0 || raw >= desc->m_Members.Count())
        return nullptr;
    return desc->m_Members[raw];
}

const char* cClass::GetMemberName(int i) {
    const cMemberDesc* member = DescribedMember(i);
    return member ? member->m_Name.GetText() : nullptr;
}

const char* cClass::GetMemberCaption(int i) {
    cClass* fieldType = GetMemberClass(i);
    if (fieldType && fieldType->IsCompound()) {
        if (void* address = GetMemberPtr(i, this))
            if (const char* caption = static_cast<cClass*>(address)->GetCaption())
                return caption;
    }
    return GetMemberName(i);
}

cClass* cClass::GetMemberClass(int i) {
    const cMemberDesc* member = DescribedMember(i);
    return member ? member->m_FieldType : nullptr;
}

void* cClass::GetMemberPtr(int i, void* object) {
    const cMemberDesc* member = DescribedMember(i);
    return member ? MemberAddress(member, object) : nullptr;
}

uintptr_t cClass::GetMemberExtra(int i) {
    const cMemberDesc* member = DescribedMember(i);
    return member ? member->m_Extra : 0;
}

bool cClass::QueryOwnerChain() {
    if (IsCompound() && m_Owner)
        return m_Owner->QueryOwnerChain();
    return false;
}

void cClass::SetOwner(cClass* owner) {
    m_Owner = owner;
    const cClassDesc* desc = GetClassDescriptor();
    if (desc && desc->m_Prototype)
        OwnMembers();
}

// Walks the descriptor directly (not through RegisterMembers), so owners are set in
// time linear in the size of the object; it runs on every RegisterMembers, so
// only the compound members are visited.
void cClass::OwnMembers() {
    cClassDesc* desc = GetClassDescriptor();
    if (!desc)
        return;
    for (int i : desc->CompoundMembers()) {
        const cMemberDesc* member = desc->m_Members[i];
        void* address = MemberAddress(member, this);
        if (address && address != this)
            static_cast<cClass*>(address)->SetOwner(this);
    }
}

bool cClass::BeginMembers() {
    const cClassDesc* desc = GetClassDescriptor();
    if (!desc)
        return true;
    OwnMembers();
    return desc->m_Members.IsEmpty();
}

void cClass::Register() { RegisterClass(this, GetClassName(), false); }

cMemberDesc* cClass::RegisterMember(cClass* fieldType, void* memberAddress, const char* name, uintptr_t extra,
                                    const char* ownerClassName, uint8_t flagArgument) {
    const uint32_t flags = TakePendingMemberFlags();
    cClassDesc* desc = GetClassDescriptor();
    if (!desc)
        desc = RegisterClassDescriptor(GetClassName());
    if (!desc) {  // a class without name cannot hold members
        delete fieldType;
        return nullptr;
    }
    cMemberDesc* member = AddMember(desc, name);
    member->m_FieldType = fieldType;
    if (flags & kMemberAbsolute)
        member->m_Offset = reinterpret_cast<intptr_t>(memberAddress);
    else if (memberAddress)
        member->m_Offset = static_cast<char*>(memberAddress) - reinterpret_cast<char*>(this);
    member->m_Extra = extra;
    member->m_OwnerClassName = ownerClassName;
    member->m_FlagArgument = flagArgument;
    member->m_Marked = (flags & kMemberMarked) != 0;
    member->m_Hidden = (flags & kMemberHidden) != 0;
    member->m_Absolute = (flags & kMemberAbsolute) != 0;
    member->m_NotSaved = (flags & kMemberNotSaved) != 0 || !memberAddress;
    member->m_Expanded = (flags & kMemberExpanded) != 0;
    return member;
}

int cClass::LocateMember(const char* name, int occurrence, bool* shared) {
    const int count = GetAmountOfMembers();
    // Declared members answer their names from the descriptor, which finds a name
    // without walking them; only names that several members share are counted.
    if (cClassDesc* desc = DeclaredMembers(this, count)) {
        const int member = desc->FindMemberByName(name ? name : "");
        if (member != cClassDesc::kSharedName) {
            if (shared)
                *shared = false;
            return member;
        }
    }
    int found = -1;
    int last = -1;
    int seen = 0;
    for (int i = 0; i < count; ++i) {
        if (CompareStrings(GetMemberName(i), name) != 0)
            continue;
        if (seen++ == occurrence)
            found = i;
        last = i;
    }
    if (shared)
        *shared = seen > 1;
    return found >= 0 ? found : last;
}

bool cClass::FindMember(const char* name, cClass** fieldType, void** memberAddress, uintptr_t* extra, void* object,
                        int occurrence) {
    if (!name)
        return false;
    // Asked of a list's field type, the new item is in the list object, not here.
    cClass* subject = Subject(object);
    const int item = AddNewItem(name, object);
    if (item >= 0) {
        *fieldType = subject->GetMemberClass(item);
        *memberAddress = subject->GetMemberPtr(item, object);
        return true;
    }
    const int index = subject->LocateMember(name, occurrence, nullptr);
    if (index < 0)
        return false;
    *fieldType = subject->GetMemberClass(index);
    *memberAddress = subject->GetMemberPtr(index, object);
    *extra = subject->GetMemberExtra(index);
    return true;
}

// --- copy --------------------------------------------------------------------

bool cClass::Copy(const void* source, uintptr_t extra, cClass* destClass, void* destObject, uintptr_t readExtra) {
    if (source == destObject)
        return true;
    if (!source || !destClass || !destObject)
        return false;
    cClassDesc* desc = IsCompound() ? GetClassDescriptor() : nullptr;
    if (desc && !desc->m_Members.IsEmpty()) {
        void* sourceObject = const_cast<void*>(source);
        cClass* dest = destClass->IsCompound() ? static_cast<cClass*>(destObject) : destClass;
        const uint32_t mask = GetMemberMask();
        // A destination of the same class, both showing every member: each member is
        // found at its own place, without a search by name.
        const bool sameClass =
            dest->GetClassDescriptor() == desc && mask == 0xFFFFFFFFu && dest->GetMemberMask() == 0xFFFFFFFFu;
        const int count = desc->m_Members.Count();
        for (int k = 0; k < count; ++k) {
            const cMemberDesc* member = desc->m_Members[k];
            if (!SharesMask(member, mask) || !member->m_FieldType)
                continue;
            cClass* destField = nullptr;
            void* destAddress = nullptr;
            uintptr_t destExtra = 0;
            if (sameClass) {
                destField = member->m_FieldType;
                destAddress = MemberAddress(member, destObject);
                destExtra = member->m_Extra;
            } else {
                // The n-th member of a shared name copies to the n-th of the destination.
                int occurrence = 0;
                if (desc->HasSharedName(k))
                    for (int j = 0; j < k; ++j)
                        occurrence +=
                            SharesMask(desc->m_Members[j], mask) && desc->m_Members[j]->m_Name == member->m_Name;
                if (!dest->FindMember(member->m_Name.GetText(), &destField, &destAddress, &destExtra, destObject,
                                      occurrence))
                    continue;
            }
            if (!destField || !destAddress)
                continue;
            void* sourceAddress = MemberAddress(member, sourceObject);
            if (!HoldsValue(sourceAddress, sourceObject) || !HoldsValue(destAddress, destObject))
                continue;
            bool same;
            if (member->m_FieldType->IsCompound())  // both must be objects before their names are asked
                same = destField->IsCompound() && SameText(static_cast<cClass*>(sourceAddress)->GetClassName(),
                                                           static_cast<cClass*>(destAddress)->GetClassName());
            else
                same = !destField->IsCompound() &&
                       SameText(member->m_FieldType->GetClassName(), destField->GetClassName());
            if (same && sourceAddress != destAddress)
                member->m_FieldType->Copy(sourceAddress, member->m_Extra, destField, destAddress, destExtra);
            if (member->m_SetValue)
                member->m_SetValue(static_cast<cClass*>(destObject), *static_cast<uint32_t*>(destAddress));
            else if (member->m_SetPointer)
                member->m_SetPointer(static_cast<cClass*>(destObject), destAddress);
        }
        return true;
    }
    XmlNode scratch;
    ToXml(&scratch, source, extra);
    cReadContext quiet;
    return destClass->FromXml(&scratch, destObject, &quiet, readExtra);
}

// --- creation and misc -------------------------------------------------------

cClass* cClass::CreateInstance() { return new cClass(); }

cClassDesc* cClass::GetClassDescriptor() {
    // No cache here: classes that keep this default share it.
    cClassDesc* desc = nullptr;
    return CachedClassDescriptor(desc, GetClassName());
}

void cClass::ClearViewFlags(void* object) {
    if (!IsCompound() || !object)
        return;
    cClass* target = static_cast<cClass*>(object);
    target->m_ViewFlags &= 1;
    const int count = target->GetAmountOfMembers();
    for (int i = 0; i < count; ++i) {
        cClass* fieldType = target->GetMemberClass(i);
        void* address = target->GetMemberPtr(i, target);
        if (fieldType && fieldType->IsCompound() && address && address != target)
            fieldType->ClearViewFlags(address);
    }
}

bool cClass::GetFieldText(cStr& text, const void* value, uintptr_t extra, const char* fieldName) {
    if (SameText(fieldName, "value")) {
        XmlNode scratch;
        ToXml(&scratch, value, extra);
        text = scratch.Text();
    }
    return false;
}

cStr cClass::GetDisplayText(uint8_t* flag) {
    if (flag)
        *flag = 0;
    return ToString();
}

}  // namespace tovan

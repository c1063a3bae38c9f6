#include "classes/registry.h"

#include <cstring>

#include "classes/class.h"
#include "classes/engine_internal.h"
#include "classes/member.h"
#include "core/log.h"

namespace tovan {

namespace {

// Lives until the process ends: descriptors, prototypes and enums are never freed.
struct Registry {
    cNameIndex classNames;
    cList<cClassDesc*> classes;
    cNameIndex enumNames;
    cList<cEnum*> enums;
    uint32_t pendingFlags = 0;
};

Registry& GetRegistry() {
    static Registry* registry = new Registry;
    return *registry;
}

bool ListHolds(const cList<cStr>& list, const char* name) {
    for (const cStr& entry : list)
        if (CompareStrings(entry.GetText(), name) == 0)
            return true;
    return false;
}

// Inheritance chains are short; the bound only guards against a cycle of names.
constexpr int kMaxInheritanceDepth = 64;

bool DerivesFrom(const char* className, const char* baseName, int depth) {
    if (CompareStrings(className, baseName) == 0)
        return true;
    if (depth >= kMaxInheritanceDepth)
        return false;
    const cClassDesc* desc = FindClassDescriptor(className);
    if (!desc)
        return false;
    for (const cStr& base : desc->m_Bases)
        if (DerivesFrom(base.GetText(), baseName, depth + 1))
            return true;
    return false;
}

}  // namespace

// Members are only ever appended, each with its field type, so what is taken
// from them stays right until their count changes.
void cClassDesc::Refresh() {
    const int count = m_Members.Count();
    if (m_RefreshedAt == count)
        return;
    m_CompoundMembers.Resize(0);
    m_SharedName.Resize(0);
    m_MemberByName.clear();
    for (int i = 0; i < count; ++i) {
        const cMemberDesc* member = m_Members[i];
        if (member->m_FieldType && member->m_FieldType->IsCompound())
            m_CompoundMembers.PushBack(i);
        const auto [at, added] =
            m_MemberByName.emplace(std::string_view(member->m_Name.GetText(), size_t(member->m_Name.Length())), i);
        if (!added) {
            if (at->second >= 0)
                m_SharedName[at->second] = 1;
            at->second = kSharedName;
        }
        m_SharedName.PushBack(!added);
    }
    m_RefreshedAt = count;
}

const cList<int>& cClassDesc::CompoundMembers() {
    Refresh();
    return m_CompoundMembers;
}

int cClassDesc::FindMemberByName(const char* name) {
    Refresh();
    const auto found = m_MemberByName.find(name ? std::string_view(name) : std::string_view());
    return found == m_MemberByName.end() ? -1 : found->second;
}

bool cClassDesc::HasSharedName(int member) {
    Refresh();
    return member >= 0 && member < m_SharedName.Count() && m_SharedName[member];
}

cClassDesc* RegisterClassDescriptor(const char* name) {
    if (!name)
        return nullptr;  // a nameless descriptor would put the index out of step with the list
    Registry& registry = GetRegistry();
    registry.classNames.Add(name);
    cClassDesc* desc = new cClassDesc;
    registry.classes.PushBack(desc);
    return desc;
}

cClassDesc* FindClassDescriptor(const char* name) {
    Registry& registry = GetRegistry();
    const int index = registry.classNames.Find(name);
    return index < 0 ? nullptr : registry.classes[index];
}

cClass* FindClassPrototype(const char* name) {
    const cClassDesc* desc = FindClassDescriptor(name);
    return desc ? desc->m_Prototype : nullptr;
}

int ClassCount() { return GetRegistry().classes.Count(); }

cClassDesc* ClassDescriptorAt(int index) {
    Registry& registry = GetRegistry();
    return index >= 0 && index < registry.classes.Count() ? registry.classes[index] : nullptr;
}

void RegisterClass(cClass* sample, const char* name, bool skipDotted) {
    if (!sample || !name)
        return;
    const cStr copy(name);  // the sample may own the text
    if (skipDotted && std::strchr(copy.GetText(), '.'))
        return;
    cClassDesc* desc = FindClassDescriptor(copy.GetText());
    if (!desc)
        desc = RegisterClassDescriptor(copy.GetText());
    if (!desc->m_Prototype) {
        cClass* prototype = sample->CreateInstance();
        if (!prototype)
            return;
        desc->m_Prototype = prototype;
    }
    if (desc->m_Members.IsEmpty())
        desc->m_Prototype->RegisterMembers();
}

cEnum* RegisterEnum(const char* name) {
    Registry& registry = GetRegistry();
    cEnum* item = new cEnum;
    item->m_Name.SetText(name);
    registry.enums.PushBack(item);
    registry.enumNames.Add(item->m_Name.GetText());
    return item;
}

cEnum* FindEnum(const char* name) {
    Registry& registry = GetRegistry();
    const int index = registry.enumNames.Find(name);
    return index < 0 ? nullptr : registry.enums[index];
}

cMemberDesc* AddMember(cClassDesc* descriptor, const char* name) {
    cMemberDesc* member = new cMemberDesc;
    member->m_Name.SetText(name);
    descriptor->m_Members.PushBack(member);
    return member;
}

void InheritMembers(cClass* derived, cClass* basePrototype) {
    if (!derived || !basePrototype)
        return;
    basePrototype->GetAmountOfMembers();  // declares the base's members when not done yet
    cClassDesc* derivedDesc = derived->GetClassDescriptor();
    cClassDesc* baseDesc = basePrototype->GetClassDescriptor();
    if (!derivedDesc || !baseDesc || derivedDesc == baseDesc)
        return;
    const char* derivedName = derived->GetClassName();
    const char* baseName = basePrototype->GetClassName();
    if (!ListHolds(baseDesc->m_Derived, derivedName))
        baseDesc->m_Derived.PushBack(cStr(derivedName));
    if (!ListHolds(derivedDesc->m_Bases, baseName))
        derivedDesc->m_Bases.PushBack(cStr(baseName));

    for (const cMemberDesc* from : baseDesc->m_Members) {
        // The field type first: a member is never seen without the field type it has.
        cClass* fieldType = from->m_FieldType ? from->m_FieldType->CreateInstance() : nullptr;
        cMemberDesc* to = AddMember(derivedDesc, from->m_Name.GetText());
        to->m_FieldType = fieldType;
        to->m_Offset = from->m_Offset;
        to->m_Reserved = from->m_Reserved;
        to->m_Extra = from->m_Extra;
        to->m_GetValue = from->m_GetValue;
        to->m_GetPointer = from->m_GetPointer;
        to->m_SetValue = from->m_SetValue;
        to->m_SetPointer = from->m_SetPointer;
        to->m_OwnerClassName = from->m_OwnerClassName;
        to->m_Mask = from->m_Mask;
        to->m_Marked = from->m_Marked;
        to->m_Hidden = from->m_Hidden;
        to->m_Absolute = from->m_Absolute;
        to->m_NotSaved = from->m_NotSaved;
        to->m_Expanded = from->m_Expanded;
    }
}

bool IsClassDerivedFrom(const char* className, const char* baseName) {
    if (!className || !baseName)
        return false;
    return DerivesFrom(className, baseName, 0);
}

void SetPendingMemberFlags(uint32_t flags) { GetRegistry().pendingFlags |= flags; }

uint32_t PendingMemberFlags() { return GetRegistry().pendingFlags; }

uint32_t TakePendingMemberFlags() {
    Registry& registry = GetRegistry();
    const uint32_t flags = registry.pendingFlags;
    registry.pendingFlags = 0;
    return flags;
}

cStr NormalizeTypeName(const char* typeName) {
    cStr name(typeName);
    name.Replace("tovan::", "");
    name.Replace("class ", "");
    name.Replace("struct ", "");
    name.Replace("<", ".");
    name.Replace(">", "");
    name.Replace(",", ".");
    return name;
}

void ClassEngineLog(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const cStr message = cStr::FormatV(format, args);
    va_end(args);
    Warning("--------------------------------------------------\r\nClass engine warning!\r\n%s\r\n", message.GetText());
}

cClass* NewFieldType(const char* name, cClass* (*make)()) {
    // A declaration may run before the first Init (members counted on an object
    // never initialised): the built-ins still take their fixed places first.
    RegisterBuiltinClasses();
    cClassDesc* desc = FindClassDescriptor(name);
    if (!desc)
        desc = RegisterClassDescriptor(name);
    if (desc && !desc->m_Prototype) {
        cClass* sample = make();
        RegisterClass(sample, name, false);
        delete sample;
    }
    return desc && desc->m_Prototype ? desc->m_Prototype->CreateInstance() : make();
}

cClass* SharedPrototypeOf(const char* name, cClass* (*make)()) {
    if (cClass* prototype = FindClassPrototype(name))
        return prototype;
    cClass* sample = make();
    sample->Register();
    delete sample;
    if (cClass* prototype = FindClassPrototype(name))
        return prototype;
    return make();
}

void FinishDeclaration(cClass* fieldType, cMemberDesc* member, void* memberAddress, const char* typeName, int size,
                       const char* ownerClassName, const char* expression) {
    if (!fieldType || !member)
        return;
    const cStr normalized = NormalizeTypeName(typeName);
    if (!fieldType->CheckType(normalized.GetText(), size)) {
        ClassEngineLog("Incompatible type used for \"%s\" %s::%s : %s", normalized.GetText(),
                       TextOrEmpty(ownerClassName), TextOrEmpty(expression), TextOrEmpty(fieldType->GetClassName()));
    }
    if (fieldType->IsCompound() && memberAddress)
        static_cast<cClass*>(memberAddress)->OnDeclared(member->m_Extra);
}

}  // namespace tovan

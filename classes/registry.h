// The class and enum registries, the class and member descriptors, and the engine's
// report channel for problems without XML. Process-wide, used from the main thread.
#pragma once
#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "core/list.h"
#include "core/str.h"

namespace tovan {

class cClass;

// Names kept sorted (byte-wise, case-sensitive) over the position of each named
// thing in a parallel list that keeps insertion order.
class cNameIndex {
public:
    struct Entry {
        cStr name;
        int32_t index = 0;
    };

    cNameIndex() = default;
    cNameIndex(const cNameIndex&) = delete;
    cNameIndex& operator=(const cNameIndex&) = delete;

    void Add(const char* name);        // null: nothing
    int Find(const char* name) const;  // stored index, -1 when absent
    int Count() const { return m_Entries.Count(); }
    const Entry& At(int position) const { return *m_Entries.At(position); }  // sorted position

private:
    void Sort();

    cList<Entry> m_Entries;
};

using ValueGetter = uint32_t (*)(cClass* object);
using PointerGetter = void* (*)(cClass* object);
using ValueSetter = void (*)(cClass* object, uint32_t value);
using PointerSetter = void (*)(cClass* object, void* address);

struct cMemberDesc {
    cClass* m_FieldType = nullptr;  // this member's own field-type object
    cStr m_Name;                    // XML key and Class Explorer label
    intptr_t m_Offset = 0;          // from the owner's cClass part; the address when absolute
    uint8_t m_Reserved = 0;
    uint8_t m_Marked = 0;
    uint8_t m_Hidden = 0;    // no row in the Class Explorer
    uint8_t m_Absolute = 0;  // m_Offset holds an address (static storage)
    uint8_t m_NotSaved = 0;  // left out of XML
    uint8_t m_Expanded = 0;  // nested rows open from the start
    uintptr_t m_Extra = 0;   // meaning belongs to the field type
    ValueGetter m_GetValue = nullptr;
    PointerGetter m_GetPointer = nullptr;
    ValueSetter m_SetValue = nullptr;  // run after the member was read or copied
    PointerSetter m_SetPointer = nullptr;
    const char* m_OwnerClassName = nullptr;
    uint8_t m_FlagArgument = 0;
    uint32_t m_Mask = 0xFFFFFFFFu;  // tested against the class's GetMemberMask
};

struct cClassDesc {
    int32_t m_Tag = -1;
    cClass* m_Prototype = nullptr;  // made by CreateInstance of a registered sample
    cList<cMemberDesc*> m_Members;  // declaration order
    cList<cStr> m_Derived;          // classes that inherited members from this one
    cList<cStr> m_Bases;            // classes this one inherited members from
    cStr m_DisplayText;             // shown beside the class name in "add..." choices

    // Taken from the members, again whenever members were added since. The
    // positions of the members that are objects themselves: setting owners (at
    // the start of every RegisterMembers) walks these instead of every member.
    const cList<int>& CompoundMembers();
    // The member of that name: -1 when none has it, kSharedName when several do
    // (the caller then counts them in order).
    static constexpr int kSharedName = -2;
    int FindMemberByName(const char* name);
    bool HasSharedName(int member);

private:
    void Refresh();

    int m_RefreshedAt = 0;  // the member count the lists below were taken at
    cList<int> m_CompoundMembers;
    std::unordered_map<std::string_view, int> m_MemberByName;  // views of the members' own names
    cList<uint8_t> m_SharedName;                               // per member
};

// A named list of labels; a label's value is its insertion index.
struct cEnum {
    cStr m_Name;
    cNameIndex m_Labels;
};

cClassDesc* RegisterClassDescriptor(const char* name);  // no duplicate check
cClassDesc* FindClassDescriptor(const char* name);
cClass* FindClassPrototype(const char* name);
void RegisterClass(cClass* sample, const char* name, bool skipDotted);
int ClassCount();
cClassDesc* ClassDescriptorAt(int index);  // registration order

cEnum* RegisterEnum(const char* name);
cEnum* FindEnum(const char* name);

cMemberDesc* AddMember(cClassDesc* descriptor, const char* name);
void InheritMembers(cClass* derived, cClass* basePrototype);
// True when className is baseName or inherited its members from it, at any distance.
bool IsClassDerivedFrom(const char* className, const char* baseName);

// Flags a declaration sets just before RegisterMember, which takes and clears them.
enum : uint32_t {
    kMemberMarked = 1,
    kMemberHidden = 2,
    kMemberAbsolute = 4,
    kMemberNotSaved = 8,
    kMemberExpanded = 16,
};
void SetPendingMemberFlags(uint32_t flags);  // or'ed into the pending set
uint32_t PendingMemberFlags();
uint32_t TakePendingMemberFlags();

// "class tovan::cVec<int,3>" -> "cVec.int.3".
cStr NormalizeTypeName(const char* typeName);

// Registers the built-in field types once, then runs the hook through which later
// subsystems register their built-in classes.
void RegisterBuiltinClasses();
using ClassRegistrationHook = void (*)();
void SetBuiltinClassHook(ClassRegistrationHook hook);  // runs at once when built-ins exist

// A class-engine warning without XML source.
void ClassEngineLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tovan

// cClass: the root of every reflected object and of every field type. One table of
// virtual operations serves compound objects (declared members, XML, copy, rows for
// the Class Explorer), field types (operations on a value living in another object)
// and lists (the item operations answered by cClassList).
//
// A value passed to these operations is the address of the value; for a compound
// class it is the address of the object's cClass part.
#pragma once
#include <cstdint>

#include "core/str.h"

namespace tovan {

class cStream;
class XmlNode;
struct cClassDesc;
struct cMemberDesc;
struct cAddableClasses;

// What a read reports: every class-engine warning of one read is also kept in error.
struct cReadContext {
    cStr error;
    int32_t report = 0;
};

// Visible-row filter bits and list flags of the Class Explorer rows.
enum : int {
    kRowsPlain = 1,     // members without rows of their own
    kRowsCompound = 2,  // members with rows of their own
    kRowsAddItem = 4,   // the "add..." row of a list
    kRowsAll = 3,
};
enum : int {
    kListAddItemClass = 1,      // the item class itself may be added
    kListAddDerived = 2,        // every registered class derived from it may be added
    kListAddOnlyWhenEmpty = 8,  // the "add..." row exists only while the list is empty
};

// Classes an "add..." row offers: names, the distinct group texts, and for each name
// the position of its group text (-1 for none).
struct cAddableClasses {
    cList<cStr> names;
    cList<cStr> groups;
    cList<int> groupOf;
};

// A class-engine warning quoting the XML source of node (at most 500 characters);
// nothing unless the context reports. The message is also kept in context->error.
void ClassEngineWarning(cReadContext* context, const XmlNode* node, const char* format, ...) TOVAN_PRINTF(3, 4);

// Member indices above this are raw descriptor indices that bypass the class mask.
constexpr int kRawMemberIndex = 0x1000000;

class cClass {
public:
    cClass() = default;
    cClass(const cClass&) = delete;
    cClass& operator=(const cClass&) = delete;

    // The order of these operations is the class engine's interface; keep it.
    virtual ~cClass() = default;  // releasing starts in the most-derived destructor (TOVAN_CLASS)
    virtual void Init(void* value);
    virtual void Release(void* value);
    virtual void SetDefaults() {}
    virtual void ReleaseHooks() {}
    virtual void ToXml(XmlNode* node, const void* value, uintptr_t extra);
    virtual bool FromXml(XmlNode* node, void* value, cReadContext* context, uintptr_t extra);
    virtual const char* GetClassName() const { return nullptr; }
    virtual void RegisterMembers() {}
    virtual int GetAmountOfMembers();
    virtual const char* GetMemberName(int i);
    virtual const char* GetMemberCaption(int i);
    virtual const char* GetCaption() { return nullptr; }
    virtual cClass* GetMemberClass(int i);
    virtual void* GetMemberPtr(int i, void* object);
    virtual uintptr_t GetMemberExtra(int i);
    virtual void RemoveItems(int /*start*/, int /*count*/) {}
    virtual bool IsCompound() const { return false; }
    virtual int AddItem(cClass* /*item*/) { return -1; }
    virtual int AddNewItem(const char* /*className*/, void* /*object*/) { return -1; }
    virtual int GetListFlags() { return 0; }
    virtual int IndexOfItem(cClass* /*item*/) { return -1; }
    virtual const char* GetItemClassName() { return nullptr; }
    virtual bool QueryOwnerChain();
    virtual bool ReservedFlagA() { return false; }
    virtual bool MoveItem(int /*index*/, int /*delta*/) { return false; }
    virtual bool AcceptsItemClass(void* /*argument*/, const char* /*className*/) { return true; }
    virtual bool Copy(const void* source, uintptr_t extra, cClass* destClass, void* destObject, uintptr_t readExtra);
    // Three reads of XML into this object. Each answers false only for text it cannot read as XML
    // (unreadable file, empty or malformed text); a value that does not parse and an element naming
    // no member or registered class are skipped, and the read answers true.
    // LoadFromBuffer: text in memory; a class-engine warning for each thing skipped.
    virtual bool LoadFromBuffer(cStream& stream);
    // Load: a file by name, logs "Loading Xml file", warns "Can't load file" when unreadable, then as LoadFromBuffer.
    virtual bool Load(const char* path);
    // LoadFromFile: as Load, but what it skips gives no warning.
    virtual bool LoadFromFile(const char* path);
    virtual bool ToXmlBuffer(cStream& stream);
    virtual bool SaveToFile(const char* path);
    virtual bool SaveToText(cStr& text);
    virtual bool LoadFromText(const char* text);
    virtual uintptr_t ReservedValueA() { return 0; }
    virtual int CountVisibleMembers(void* object, int filter);
    virtual int MapVisibleIndex(int row, void* object, int filter);
    virtual cClass* GetVisibleMemberClass(int row, void* object, int filter);
    virtual void* GetVisibleMemberPtr(int row, void* object, int filter);
    virtual uintptr_t GetVisibleMemberExtra(int row, void* object, int filter);
    virtual bool GetAddableClasses(cAddableClasses& output, int row, void* object, int filter, cClass* acceptor,
                                   void* acceptorArgument);
    virtual bool HasContent(int i, void* object);
    virtual bool VisibleHasContent(int row, void* object, int filter);
    virtual const char* GetVisibleMemberName(int row, void* object, int filter);
    virtual const char* GetVisibleMemberCaption(int row, void* object, int filter);
    virtual void OnPress() {}
    virtual bool IsButton() { return false; }
    virtual void Press(cClass* /*owner*/) { OnPress(); }
    virtual uintptr_t ReservedValueB() { return 0; }
    virtual void ReservedHookA(uintptr_t /*x*/) {}
    virtual bool IsVisibleMemberMarked(int row, void* object, int filter);
    virtual bool IsVisibleMemberExpanded(int row, void* object, int filter);
    virtual bool IsVisibleMemberHidden(int row, void* object, int filter);
    virtual uint32_t GetMemberMask() { return 0xFFFFFFFFu; }
    virtual int MapMaskedIndex(int i);
    virtual uintptr_t ReservedValueC() { return 0; }
    virtual bool ReservedFlagB() { return false; }
    virtual int OnCreated() { return -1; }
    virtual void ReservedHookB(uintptr_t /*x*/) {}
    virtual cClass* GetOwner() { return m_Owner; }
    virtual void SetOwner(cClass* owner);
    virtual bool CheckType(const char* /*typeName*/, int /*size*/) { return true; }
    virtual bool SaveOnlyChanges() { return true; }
    virtual bool GetFieldText(cStr& text, const void* value, uintptr_t extra, const char* fieldName);
    virtual cStr ToString() { return cStr(); }
    virtual cStr GetDisplayText(uint8_t* flag);
    virtual void UpdateHook() {}
    virtual bool IsMemberEnabled(const char* /*memberName*/) { return true; }
    virtual bool IsMemberReadOnly(const char* /*memberName*/) { return false; }
    virtual bool ReservedQuery(uintptr_t, uintptr_t, uintptr_t, uintptr_t) { return false; }
    virtual void OnDeclared(uintptr_t /*extra*/) {}
    virtual cClass* CreateInstance();
    virtual cClassDesc* GetClassDescriptor();

    // Registers this object's class under its own name (the registry keeps a prototype
    // made by CreateInstance).
    void Register();
    cMemberDesc* RegisterMember(cClass* fieldType, void* memberAddress, const char* name, uintptr_t extra,
                                const char* ownerClassName, uint8_t flagArgument);
    // Finds a member by name; a list first creates an item of the class so named.
    // occurrence picks the n-th member of a name that several members share (the
    // last one when there are fewer).
    bool FindMember(const char* name, cClass** fieldType, void** memberAddress, uintptr_t* extra, void* object,
                    int occurrence = 0);
    void ClearViewFlags(void* object);

    uint32_t GetViewFlags() const { return m_ViewFlags; }
    void SetViewFlags(uint32_t flags) { m_ViewFlags = flags; }

    // Step one of every RegisterMembers: sets this object as owner of its compound
    // members and answers whether the members still have to be declared.
    bool BeginMembers();
    // Sets this object as owner of its compound members.
    void OwnMembers();

protected:
    // The first step of every reflected class's destructor (TOVAN_CLASS supplies
    // it): by the time cClass's own destructor runs, the derived part is gone, so
    // the release has to start while the whole object still exists. Runs Release
    // unless it already ran since the object was last initialised.
    void ReleaseOnDestruction();
    // For Init overrides that do not reach cClass::Init: the object holds values
    // again, so its next Release (or its destruction) releases them.
    static void MarkInitialised(cClass* object) { object->m_Released = false; }

private:
    // The object whose members the row operations walk: a compound object itself (a
    // list answers its items), else this field type.
    cClass* Subject(void* object) { return IsCompound() && object ? static_cast<cClass*>(object) : this; }
    const cMemberDesc* DescribedMember(int i);  // null out of range
    const cMemberDesc* VisibleMemberDesc(int row, void* object, int filter);
    int WalkRows(void* object, int filter, int wantedRow);
    int LocateMember(const char* name, int occurrence, bool* shared);  // masked index, -1 when absent

    cClass* m_Owner = nullptr;
    uint32_t m_ViewFlags = 0;
    bool m_Released = false;  // set by Release, cleared by Init: hooks run once per life
};

// Address of a member in an object (value and pointer getters included). The answer
// of a value getter lives in one shared word, valid until the next such call.
void* MemberAddress(const cMemberDesc* member, void* object);

// The descriptor a class caches on its first GetClassDescriptor: found by name, or
// registered empty when absent. A null name has none.
cClassDesc* CachedClassDescriptor(cClassDesc*& cache, const char* name);

// What CreateInstance does after constructing a compound object: member defaults,
// SetDefaults, OnCreated, owner of its compound members.
cClass* FinishCreatedObject(cClass* object);

// While set (inside ToXmlBuffer's default pruning), lists keep their items on Init.
bool IsResettingDefaults();

}  // namespace tovan

// Boilerplate of a reflected compound class: its destructor, its name, creation by
// the registry and its cached descriptor. Put it first in the class body of every
// reflected class, derived ones included, so that destruction releases the object
// through its most-derived class. The macro supplies the destructor: clean-up
// belongs in ReleaseHooks, which must also cope with an object that was only
// constructed.
#define TOVAN_CLASS(Name)                                                                           \
public:                                                                                             \
    ~Name() override { ReleaseOnDestruction(); }                                                    \
    static const char* StaticClassName() { return #Name; }                                          \
    const char* GetClassName() const override { return #Name; }                                     \
    bool IsCompound() const override { return true; }                                               \
    ::tovan::cClass* CreateInstance() override { return ::tovan::FinishCreatedObject(new Name()); } \
    ::tovan::cClassDesc* GetClassDescriptor() override {                                            \
        static ::tovan::cClassDesc* cache = nullptr;                                                \
        return ::tovan::CachedClassDescriptor(cache, #Name);                                        \
    }

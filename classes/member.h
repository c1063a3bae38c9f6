// Member declarations. A compound class declares its members in RegisterMembers:
//
//     void RegisterMembers() override {
//         if (!BeginMembers())
//             return;
//         InheritMembers(this, SharedPrototype<cBase>());  // when it extends a reflected class
//         TOVAN_MEMBER(_cInt, m_Count, "Count");
//         SetPendingMemberFlags(kMemberNotSaved);
//         TOVAN_MEMBER(_cFloat, m_Color.r, "Red", extra);
//     }
//
// The member's offset is its address on the registering instance minus the address
// of that instance's cClass part; its type name comes from cTypeName, so the field
// type can check that it fits.
#pragma once
#include <cassert>
#include <cstdint>
#include <type_traits>

#include "classes/class.h"
#include "classes/registry.h"
#include "core/vec.h"

namespace tovan {

// The declared type name of a member type, as the field types' CheckType expects it
// after NormalizeTypeName. Reflected classes answer their class name; other types
// need a specialisation (a missing one is a compile error, on purpose).
template <class T, class = void>
struct cTypeName;

template <class T>
struct cTypeName<T, std::enable_if_t<std::is_base_of_v<cClass, T>>> {
    static const char* Get() { return T::StaticClassName(); }
};
template <class T>
struct cTypeName<T, std::enable_if_t<std::is_enum_v<T>>> {
    static const char* Get() { return "enum"; }
};

// clang-format off
template <> struct cTypeName<bool> { static const char* Get() { return "bool"; } };
template <> struct cTypeName<char> { static const char* Get() { return "char"; } };
template <> struct cTypeName<signed char> { static const char* Get() { return "signed char"; } };
template <> struct cTypeName<unsigned char> { static const char* Get() { return "unsigned char"; } };
template <> struct cTypeName<short> { static const char* Get() { return "short"; } };
template <> struct cTypeName<unsigned short> { static const char* Get() { return "unsigned short"; } };
template <> struct cTypeName<int> { static const char* Get() { return "int"; } };
template <> struct cTypeName<unsigned int> { static const char* Get() { return "unsigned int"; } };
template <> struct cTypeName<long> { static const char* Get() { return "long"; } };
template <> struct cTypeName<unsigned long> { static const char* Get() { return "unsigned long"; } };
template <> struct cTypeName<long long> { static const char* Get() { return "__int64"; } };
template <> struct cTypeName<unsigned long long> { static const char* Get() { return "unsigned __int64"; } };
template <> struct cTypeName<float> { static const char* Get() { return "float"; } };
template <> struct cTypeName<double> { static const char* Get() { return "double"; } };
template <> struct cTypeName<cStr> { static const char* Get() { return "cStr"; } };
template <> struct cTypeName<cVec2> { static const char* Get() { return "cVec2"; } };
template <> struct cTypeName<cVec3> { static const char* Get() { return "cVec3"; } };
template <> struct cTypeName<cVec4> { static const char* Get() { return "cVec4"; } };
template <> struct cTypeName<cAngles> { static const char* Get() { return "cAngles"; } };
template <> struct cTypeName<cColor> { static const char* Get() { return "cColor"; } };
template <> struct cTypeName<cVec2i> { static const char* Get() { return "cVec<int,2>"; } };
template <> struct cTypeName<cVec3i> { static const char* Get() { return "cVec<int,3>"; } };
// clang-format on

// The registered prototype of a class, registering it from a temporary when absent;
// a new instance when even that gives none. Used for base classes of InheritMembers
// and where one prototype serves as shared field type.
cClass* SharedPrototypeOf(const char* name, cClass* (*make)());
template <class T>
cClass* SharedPrototype() {
    return SharedPrototypeOf(T::StaticClassName(), [] { return static_cast<cClass*>(new T()); });
}

// A member's own field-type object: a new instance of the registered prototype of
// the named class (registered first from a temporary when it has none).
cClass* NewFieldType(const char* name, cClass* (*make)());

// Type check and OnDeclared, the steps after RegisterMember.
void FinishDeclaration(cClass* fieldType, cMemberDesc* member, void* memberAddress, const char* typeName, int size,
                       const char* ownerClassName, const char* expression);

template <class M>
void* MemberAddressOf(M* member) {
    if constexpr (std::is_base_of_v<cClass, M>)
        return static_cast<cClass*>(member);  // compound members are addressed at their cClass part
    else
        return member;
}

// A new field-type object of class F for one declaration.
template <class F>
cClass* NewFieldTypeFor() {
    // Registering the field type's class may declare members of its own: keep the
    // flags pending for this declaration out of its way.
    const uint32_t flags = TakePendingMemberFlags();
    cClass* fieldType = NewFieldType(F::StaticClassName(), [] { return static_cast<cClass*>(new F()); });
    SetPendingMemberFlags(flags);
    return fieldType;
}

template <class F, class Owner, class M>
cMemberDesc* DeclareMember(Owner* owner, M* member, const char* expression, const char* name, uintptr_t extra = 0,
                           uint8_t flagArgument = 0) {
    cClass* self = owner;
#ifndef NDEBUG
    if (!(PendingMemberFlags() & kMemberAbsolute)) {
        const char* begin = reinterpret_cast<const char*>(owner);
        const char* at = reinterpret_cast<const char*>(member);
        assert(at >= begin && at + sizeof(M) <= begin + sizeof(Owner) && "member outside the declaring object");
    }
#endif
    cClass* fieldType = NewFieldTypeFor<F>();
    void* address = MemberAddressOf(member);
    cMemberDesc* desc = self->RegisterMember(fieldType, address, name, extra, self->GetClassName(), flagArgument);
    FinishDeclaration(fieldType, desc, address, cTypeName<M>::Get(), int(sizeof(M)), self->GetClassName(), expression);
    return desc;
}

// Declares a member without a value of its own (a heading row): never saved.
template <class F>
cMemberDesc* DeclareHeading(cClass* owner, const char* name) {
    return owner->RegisterMember(NewFieldTypeFor<F>(), nullptr, name, 0, owner->GetClassName(), 0);
}

}  // namespace tovan

// Declares one member: field type, the member expression, the XML name, then an
// optional extra word and flag argument.
#define TOVAN_MEMBER(FieldType, member, ...) ::tovan::DeclareMember<FieldType>(this, &(member), #member, __VA_ARGS__)

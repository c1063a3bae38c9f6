// _cButton<T>: an action of the owner class T shown as a button. It has no value:
// it is declared on the owner object itself, named "&T::Method", and pressing it
// calls the method on the owner. Every instance answers the class name "_cButton".
//
//     void RegisterMembers() override {
//         ...
//         TOVAN_BUTTON(ReloadTextures);
//     }
#pragma once
#include <type_traits>

#include "classes/field_types.h"
#include "classes/member.h"

namespace tovan {

template <class T>
class _cButton : public cFieldType<_cButton<T>> {
public:
    static constexpr const char* kClassName = "_cButton";
    using Method = void (T::*)();

    _cButton() = default;
    explicit _cButton(Method method) : m_Method(method) {}

    bool IsButton() override { return true; }
    // The owner arrives as its cClass part; the cast back to T and the member
    // pointer's own adjustment reach the right base whatever T's layout.
    void Press(cClass* owner) override {
        if (owner && m_Method)
            (static_cast<T*>(owner)->*m_Method)();
    }
    // Prototypes and inherited members are made by CreateInstance: they keep the method.
    cClass* CreateInstance() override { return new _cButton(m_Method); }

private:
    Method m_Method = nullptr;
};

// Declares a button for method of owner (a method of Owner or of one of its bases).
template <class Owner, class Base>
cMemberDesc* DeclareButton(Owner* owner, void (Base::*method)(), const char* methodName) {
    static_assert(std::is_base_of_v<cClass, Owner>, "buttons belong to reflected classes");
    cClass* self = owner;
    const typename _cButton<Owner>::Method bound = method;
    cClass* fieldType = new _cButton<Owner>(bound);
    const cStr name = cStr::Format("&%s::%s", Owner::StaticClassName(), methodName);
    cMemberDesc* desc = self->RegisterMember(fieldType, self, name.GetText(), 0, self->GetClassName(), 0);
    FinishDeclaration(fieldType, desc, self, Owner::StaticClassName(), int(sizeof(Owner)), self->GetClassName(),
                      methodName);
    return desc;
}

}  // namespace tovan

// Declares a button named "&Class::Method" that calls Method on the object.
#define TOVAN_BUTTON(Method) ::tovan::DeclareButton(this, &std::remove_pointer_t<decltype(this)>::Method, #Method)

// The built-in classes: the field types, registered in their fixed order by the
// first Init of any object, then whatever later subsystems add through the hook.
#include "classes/field_types.h"
#include "classes/registry.h"

namespace tovan {

namespace {

template <class T>
cClass* MakeSample() {
    return new T();
}

// Registration order is part of the registry's contents (ClassDescriptorAt).
cClass* (*const kBuiltinFieldTypes[])() = {
    MakeSample<_cFloat>,
    MakeSample<_cInt>,
    MakeSample<_cStr>,
    MakeSample<_cBool>,
};

bool g_BuiltinsRegistered = false;
ClassRegistrationHook g_Hook = nullptr;

}  // namespace

void RegisterBuiltinClasses() {
    if (g_BuiltinsRegistered)
        return;
    g_BuiltinsRegistered = true;
    for (auto make : kBuiltinFieldTypes) {
        cClass* sample = make();
        sample->Register();
        delete sample;
    }
    if (g_Hook)
        g_Hook();
}

void SetBuiltinClassHook(ClassRegistrationHook hook) {
    g_Hook = hook;
    if (g_BuiltinsRegistered && hook)
        hook();
}

}  // namespace tovan

// The built-in classes: the field types, registered in their fixed order by the
// first Init of any object, then whatever later subsystems add through the hook.
#include "classes/field_types.h"
#include "classes/registry.h"
#include "classes/vector_fields.h"

namespace tovan {

namespace {

template <class T>
cClass* MakeSample() {
    return new T();
}

// The 29 built-in field types. Registration order is part of the registry's
// contents (ClassDescriptorAt).
cClass* (*const kBuiltinFieldTypes[])() = {
    MakeSample<_cFloat>,         MakeSample<_cInt>,         MakeSample<_cStr>,         MakeSample<_cFloat2>,
    MakeSample<_cFloat3>,        MakeSample<_cFloat4>,      MakeSample<_cVec2i>,       MakeSample<_cVec3i>,
    MakeSample<_cColor>,         MakeSample<_cBool>,        MakeSample<_cBind>,        MakeSample<_cSliderI>,
    MakeSample<_cSliderF>,       MakeSample<_cEditSliderI>, MakeSample<_cEditSliderF>, MakeSample<_cSliderRangedI>,
    MakeSample<_cSliderRangedF>, MakeSample<_cSeparator>,   MakeSample<_cImageFile>,   MakeSample<_cModelFile>,
    MakeSample<_cAnimFile>,      MakeSample<_cCameraFile>,  MakeSample<_cBspFile>,     MakeSample<_cXmlFile>,
    MakeSample<_cSoundFile>,     MakeSample<_cImageID>,     MakeSample<_cLabel>,       MakeSample<_cLabelInt>,
    MakeSample<_cLabelEnum>,
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

#include "tools/color_edit.h"

#include "classes/field_types.h"
#include "classes/member.h"
#include "classes/vector_fields.h"

namespace tovan {

void cColorEdit::SetModulatorDefaults() { m_Modulator = {1.0f, 0.0f, 2.0f}; }

void cColorEdit::SetDefaults() {
    m_Color = {1.0f, 1.0f, 1.0f, 1.0f};
    SetModulatorDefaults();
}

void cColorEdit::RegisterMembers() {
    if (!BeginMembers())
        return;
    DeclareMember<_cColor>(this, &m_Color, "Color", "Color");
    const uintptr_t unit = SliderRangeF(0.0f, 1.0f);
    SetPendingMemberFlags(kMemberNotSaved);
    DeclareMember<_cEditSliderF>(this, &m_Color.r, "Red", "Red", unit);
    SetPendingMemberFlags(kMemberNotSaved);
    DeclareMember<_cEditSliderF>(this, &m_Color.g, "Green", "Green", unit);
    SetPendingMemberFlags(kMemberNotSaved);
    DeclareMember<_cEditSliderF>(this, &m_Color.b, "Blue", "Blue", unit);
    SetPendingMemberFlags(kMemberNotSaved);
    DeclareMember<_cEditSliderF>(this, &m_Color.a, "Alpha", "Alpha", unit);
    DeclareMember<_cSliderRangedF>(this, &m_Modulator, "Modulator", "Modulator");
}

void cSettings_ClearColor::SetDefaults() {
    m_Color = {0.63f, 0.63f, 0.63f, 1.0f};
    SetModulatorDefaults();
}

void cSettings_ClearColor::RegisterMembers() {
    if (!BeginMembers())
        return;
    InheritMembers(this, SharedPrototype<cColorEdit>());
}

}  // namespace tovan

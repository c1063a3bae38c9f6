// cColorEdit: a colour edited as one swatch and as four sliders, with a
// modulator that scales it. The sliders are views of the colour's components,
// so only the colour and the modulator are stored.
#pragma once
#include "classes/class.h"
#include "core/vec.h"

namespace tovan {

class cColorEdit : public cClass {
    TOVAN_CLASS(cColorEdit)
public:
    cColor m_Color;
    cVec3 m_Modulator;  // value, minimum, maximum

    void SetDefaults() override;
    void RegisterMembers() override;

protected:
    void SetModulatorDefaults();
};

// The clear colour of the settings: a mid grey instead of white.
class cSettings_ClearColor : public cColorEdit {
    TOVAN_CLASS(cSettings_ClearColor)
public:
    void SetDefaults() override;
    void RegisterMembers() override;
};

}  // namespace tovan

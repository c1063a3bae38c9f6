// The named material presets offered by the model previews.
#pragma once
#include "core/str.h"
#include "core/vec.h"

namespace tovan {

struct cMaterialPreset {
    cStr m_Name;
    cColor m_Ambient;
    cColor m_Diffuse;
    cColor m_Specular;
    float m_Shininess;
};

inline constexpr int kMaterialPresetCount = 19;

// "Brass" to "Black Rubber".
extern cMaterialPreset MaterialPresets[kMaterialPresetCount];

}  // namespace tovan

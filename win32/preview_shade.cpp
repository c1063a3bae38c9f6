#include "win32/preview_shade.h"

#include <algorithm>
#include <cmath>

namespace tovan {

namespace {

uint8_t ChannelToByte(float c) {
    if (c >= 1.0f)
        return 255;
    if (!(c > 0.0f))  // not a number counts as dark
        return 0;
    return uint8_t(c * 255.0f + 0.5f);
}

bool Finite(const cColor& c) { return std::isfinite(c.r) && std::isfinite(c.g) && std::isfinite(c.b); }

// How fast a channel can change, in levels per unit of light: diffuse plus
// specular x s L^(s - 1), which is at most specular x s from s = 1 on (and
// nothing for s = 0, where L^0 is 1). Below 1 the highlight is steeper than
// any table near L = 0: infinity.
double Slope(float diffuse, float specular, float shininess) {
    const double s = shininess;
    if (s != 0 && !(s >= 1))
        return HUGE_VAL;
    return 255.0 * (std::fabs(double(diffuse)) + std::fabs(double(specular)) * s);
}

uint32_t Pack(ColorBytes c) { return uint32_t(c.b) | uint32_t(c.g) << 8 | uint32_t(c.r) << 16; }
ColorBytes Unpack(uint32_t packed) { return {uint8_t(packed >> 16), uint8_t(packed >> 8), uint8_t(packed)}; }

}  // namespace

ColorBytes ColorToBytes(const cColor& color) {
    return {ChannelToByte(color.r), ChannelToByte(color.g), ChannelToByte(color.b)};
}

ColorBytes PreviewShade::Exact(float light) const {
    // Light from behind (below 0) gives no highlight rather than a power of a negative number.
    const float highlight = std::pow(light > 0.0f ? light : 0.0f, m_Shininess);
    return {ChannelToByte(m_Ambient.r + m_Diffuse.r * light + m_Specular.r * highlight),
            ChannelToByte(m_Ambient.g + m_Diffuse.g * light + m_Specular.g * highlight),
            ChannelToByte(m_Ambient.b + m_Diffuse.b * light + m_Specular.b * highlight)};
}

ColorBytes PreviewShade::At(float light) const {
    if (m_Table.IsEmpty() || !(light >= 0.0f && light <= 1.0f))
        return Exact(light);
    return Unpack(m_Table[int(light * float(m_Steps) + 0.5f)]);
}

void PreviewShade::Set(const cMaterialPreset& m) {
    m_Ambient = m.m_Ambient;
    m_Diffuse = m.m_Diffuse;
    m_Specular = m.m_Specular;
    m_Shininess = m.m_Shininess;
    m_Set = true;
    m_Steps = 0;
    m_Table.Free();
    if (!Finite(m_Ambient) || !Finite(m_Diffuse) || !Finite(m_Specular) || !std::isfinite(m_Shininess))
        return;
    // The nearest entry is half a step away at most: two steps per level of
    // the steepest channel keep it within a quarter of a level.
    const double slope =
        std::max({Slope(m_Diffuse.r, m_Specular.r, m_Shininess), Slope(m_Diffuse.g, m_Specular.g, m_Shininess),
                  Slope(m_Diffuse.b, m_Specular.b, m_Shininess)});
    int steps = kMinSteps;
    while (steps < 2 * slope && steps <= kMaxSteps)
        steps *= 2;
    if (steps > kMaxSteps)
        return;
    m_Steps = steps;
    m_Table.ResizeUnset(steps + 1);
    // The exact colours, so that a light value on a step gives exactly its bytes.
    for (int i = 0; i <= steps; ++i)
        m_Table[i] = Pack(Exact(float(i) / float(steps)));
}

const PreviewShade& PreviewShades::Find(const cMaterialPreset& material) {
    for (int i = 0; i < kKept; ++i)
        if (m_Shades[i].Holds(material)) {
            m_Last = i;
            return m_Shades[i];
        }
    m_Last = m_Next;
    m_Next = (m_Next + 1) % kKept;
    m_Shades[m_Last].Set(material);
    return m_Shades[m_Last];
}

}  // namespace tovan

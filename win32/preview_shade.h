// Colours of the preview rasteriser: float colours to bytes, and the colour of
// a lit pixel as a function of its light value L (per channel ambient +
// diffuse x L + specular x L^shininess, clamped to a byte). Light values from
// 0 to 1 read the nearest entry of a table made once per material, fine
// enough that it stays within a quarter of a level of the exact colour; other
// light values, and materials too steep for a table of reasonable size or
// that hold a value that is not finite, are computed exactly.
#pragma once
#include <cstdint>
#include <cstring>

#include "core/list.h"
#include "core/material_preset.h"
#include "core/vec.h"

namespace tovan {

struct ColorBytes {
    uint8_t r, g, b;
    constexpr bool operator==(const ColorBytes& o) const { return r == o.r && g == o.g && b == o.b; }
    constexpr bool operator!=(const ColorBytes& o) const { return !(*this == o); }
};

// Each channel: 1 or more gives 255, 0 or less (or not a number) 0, else
// channel x 255 + 0.5 truncated. Alpha is ignored.
ColorBytes ColorToBytes(const cColor& color);

class PreviewShade {
public:
    static constexpr int kMinSteps = 1024;
    static constexpr int kMaxSteps = 65536;

    // Makes the table for this material, or leaves it to exact computation.
    void Set(const cMaterialPreset& material);
    // Asked once per triangle, so compared bit for bit and in one go, alpha
    // too: a material that differs only there, or in the sign of a zero, is
    // made again.
    bool Holds(const cMaterialPreset& m) const {
        return m_Set && (Bits(m_Ambient, m.m_Ambient) | Bits(m_Diffuse, m.m_Diffuse) | Bits(m_Specular, m.m_Specular) |
                         Bits(m_Shininess, m.m_Shininess)) == 0;
    }

    ColorBytes At(float light) const;
    ColorBytes Exact(float light) const;

    // The colours of the light values i / Steps(), i = 0 .. Steps(), packed as
    // blue | green << 8 | red << 16; null when every pixel is computed exactly.
    const uint32_t* Table() const { return m_Table.IsEmpty() ? nullptr : m_Table.Data(); }
    int Steps() const { return m_Steps; }

private:
    // The bits in which two values differ.
    static uint32_t Bits(float a, float b) {
        uint32_t x, y;
        std::memcpy(&x, &a, sizeof x);
        std::memcpy(&y, &b, sizeof y);
        return x ^ y;
    }
    static uint32_t Bits(const cColor& a, const cColor& b) {
        return Bits(a.r, b.r) | Bits(a.g, b.g) | Bits(a.b, b.b) | Bits(a.a, b.a);
    }

    cColor m_Ambient, m_Diffuse, m_Specular;
    float m_Shininess = 0;
    bool m_Set = false;
    int m_Steps = 0;
    cList<uint32_t> m_Table;
};

// The shades of the last few materials a canvas drew with.
class PreviewShades {
public:
    const PreviewShade& For(const cMaterialPreset& material) {
        // A model's triangles come mesh by mesh, each mesh in one material.
        return m_Shades[m_Last].Holds(material) ? m_Shades[m_Last] : Find(material);
    }

private:
    const PreviewShade& Find(const cMaterialPreset& material);

    static constexpr int kKept = 8;  // the model previews cycle through 7
    PreviewShade m_Shades[kKept];
    int m_Last = 0;  // the one asked for last
    int m_Next = 0;  // the one made next
};

}  // namespace tovan

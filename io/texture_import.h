// The texture import command: the user picks a source image (two for the
// blended normal map), it is converted as the options say, given mips,
// compressed to DXT, saved as DDS where the user chooses, and the render device
// reloads it. Failed loads and saves are reported by the loaders; a cancel or
// an unsuitable image ends the import quietly with nothing written.
#pragma once
#include <cstdint>

#include "core/str.h"
#include "io/image/image.h"

namespace tovan {

enum TextureImportMode : int32_t {
    kImportColor = 0,          // colour texture
    kImportNormalMap = 1,      // normal map as drawn
    kImportHeightMap = 2,      // normal map made from a height map
    kImportBlendedNormal = 3,  // height map to normal map, blended with a detail normal map
    kImportFixedName = 4,      // saved under a name the caller fixes
    kImportParticle = 5,       // particle texture: no mips
};

struct cTextureImportOptions {
    int32_t m_Mode = kImportColor;
    uint8_t m_ColorKeepAlpha = 0;   // mode 0
    uint8_t m_ColorMips = 0;        // mode 0: mips only when set
    uint8_t m_NormalKeepAlpha = 0;  // mode 1
    uint8_t m_InvertGreen = 0;      // modes 1 and 3
    float m_Strength = 1.0f;        // modes 2 and 3
    uint8_t m_KeepHeight = 0;       // mode 2: the height stays in alpha
    // Default and result names per mode, relative to the base folder after a
    // save. Null reads as empty and receives nothing.
    cStr* m_ColorOutput = nullptr;   // mode 0
    cStr* m_NormalOutput = nullptr;  // modes 1 to 3
    cStr* m_FixedOutput = nullptr;   // mode 4
    uint8_t m_Done = 0;              // set to 1 by a successful save
};

// The folder of the last imported source image, where the next import's
// pickers start; empty until the first import.
extern cStr TextureImportFolder;

// Runs the command; true when the texture was saved. An unknown mode does nothing.
bool ImportTexture(cTextureImportOptions& options);

// Mode 3's blend of two Rgb8 normal maps of one size, texel by texel: the
// normalised sum of their x and y with the detail map's z. Other pairs are
// left as they are.
void BlendNormalMaps(const cImage& detail, cImage& main);

}  // namespace tovan

// cImageSwatchFile: a reflected object that names an image file and keeps it
// loaded as a texture, with a line describing the texture, for the property
// panel's file picker, swatch and info row. The Class Explorer calls UpdateHook
// every frame, which loads the file whenever its name changes.
#pragma once
#include <cstdint>

#include "classes/class.h"
#include "core/str.h"
#include "io/image/format.h"

namespace tovan {

class cImageSwatchFile : public cClass {
    TOVAN_CLASS(cImageSwatchFile)
public:
    void SetDefaults() override { m_Image = -1; }
    void RegisterMembers() override;
    // " - " and File, or empty; always a text of its own.
    cStr GetDisplayText(uint8_t* flag) override;
    void UpdateHook() override;
    // Info from the loaded texture: "256 x 128, Rgba8, 2D, 9 mipmaps".
    void BuildInfo();

    int32_t m_Image = -1;  // texture id, -1 none
    cStr m_Info;
    cStr m_File;

private:
    void LoadFile();

    // The File that Image came from, or whose load failed (so a failure is not
    // retried every frame); compared without regard to ASCII case.
    cStr m_LastPath;
    // An Image without a path (a copied object) belongs to File; after File was
    // emptied or anything was loaded, a name always loads.
    bool m_AdoptImage = true;
    bool m_LoadFailed = false;  // the load of m_LastPath failed
};

// The kind of a loaded texture from its depth and height (None without device).
TextureType TextureKind(int texture);

}  // namespace tovan

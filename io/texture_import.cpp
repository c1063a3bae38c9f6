#include "io/texture_import.h"

#include <cmath>

#include "core/render_device.h"
#include "io/file_pickers.h"
#include "io/io.h"

namespace tovan {

cStr TextureImportFolder;

namespace {

const cStr& NameOf(const cStr* name) {
    static const cStr empty;
    return name ? *name : empty;
}

// Points the image pickers at the import folder with nothing preselected.
void StartPickersInImportFolder() {
    PickerMemory& memory = GetPickerMemory();
    memory.m_ImageFile.Clear();
    memory.m_ImageFolder = TextureImportFolder;
}

// Picks and loads an image as plain power-of-two level 0; false when any step
// fails or the result is not one of the formats the import converts.
bool PickPlainImage(cImage& image, cStr& name, bool allowGrey) {
    if (!cIO::PickImageToLoad(name) || !cIO::LoadImage(name.GetText(), image))
        return false;
    if (!image.Decompress() || !image.DropMips() || !image.ResizeToPowerOfTwo())
        return false;
    return image.m_Format == ImageFormat::Rgb8 || image.m_Format == ImageFormat::Rgba8 ||
           (allowGrey && image.m_Format == ImageFormat::R8);
}

struct cVec3f {
    float x, y, z;
};

cVec3f Unpack(const uint8_t* texel) {
    const float scale = 0.003921569f * 2.0f;
    return {texel[0] * scale - 1.0f, texel[1] * scale - 1.0f, texel[2] * scale - 1.0f};
}

void Normalise(cVec3f& v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length > 0) {
        v.x /= length;
        v.y /= length;
        v.z /= length;
    }
}

uint8_t Pack(float c) {
    const float v = (c + 1.0f) * 0.5f * 255.0f;
    return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

}  // namespace

void BlendNormalMaps(const cImage& detail, cImage& main) {
    if (detail.m_Width != main.m_Width || detail.m_Height != main.m_Height || main.m_Width < 1 || main.m_Height < 1 ||
        detail.m_Format != ImageFormat::Rgb8 || main.m_Format != ImageFormat::Rgb8)
        return;
    const int64_t texels = int64_t(main.m_Width) * main.m_Height;
    if (detail.m_Data.Count() < texels * 3 || main.m_Data.Count() < texels * 3)
        return;
    const uint8_t* d = detail.m_Data.Data();
    uint8_t* m = main.m_Data.Data();
    for (int64_t i = 0; i < texels; ++i, d += 3, m += 3) {
        cVec3f dv = Unpack(d), mv = Unpack(m);
        Normalise(dv);
        Normalise(mv);
        cVec3f r = {dv.x + mv.x, dv.y + mv.y, dv.z};
        Normalise(r);
        m[0] = Pack(r.x);
        m[1] = Pack(r.y);
        m[2] = Pack(r.z);
    }
}

namespace {

// Where the save dialog starts: the mode's name, else one made from the source.
void PresetSaveName(const cTextureImportOptions& o, const cStr& keptFolder, const cStr& source) {
    PickerMemory& memory = GetPickerMemory();
    cStr name;
    if (o.m_Mode == kImportFixedName) {
        name = NameOf(o.m_FixedOutput);
        if (!name.IsEmpty())
            name = cIO::ResolvePath(name.GetText());
        memory.m_ImageFolder = name.IsEmpty() ? keptFolder : name.GetFolder();
    } else if (o.m_Mode == kImportParticle) {
        name = "Textures/Particles";
        name.AppendPath(source.GetFileName().GetText());
        name.SetExtension("dds");
        name = cIO::ResolvePath(name.GetText());
        memory.m_ImageFolder = name.GetFolder();
    } else {
        name = NameOf(o.m_Mode == kImportColor ? o.m_ColorOutput : o.m_NormalOutput);
        if (name.IsEmpty()) {
            name = keptFolder;
            name.AppendPath(source.GetFileNameNoExt().GetText());
        }
        name.SetExtension("dds");
        name = cIO::ResolvePath(name.GetText());
    }
    memory.m_ImageFile = name;
}

}  // namespace

bool ImportTexture(cTextureImportOptions& o) {
    if (o.m_Mode < kImportColor || o.m_Mode > kImportParticle)
        return false;
    PickerMemory& memory = GetPickerMemory();
    const cStr keptFile = memory.m_ImageFile;
    const cStr keptFolder = memory.m_ImageFolder;
    if (TextureImportFolder.IsEmpty())
        TextureImportFolder = memory.m_ImageFolder;
    StartPickersInImportFolder();

    cImage detail;
    if (o.m_Mode == kImportBlendedNormal) {
        cStr detailName;
        if (!PickPlainImage(detail, detailName, false))
            return false;
        detail.DropAlpha();
        if (o.m_InvertGreen)
            detail.InvertGreen();
        TextureImportFolder = cIO::ResolvePath(detailName.GetText()).GetFolder();
        StartPickersInImportFolder();
    }

    cImage image;
    cStr source;
    if (!PickPlainImage(image, source, true))
        return false;

    switch (o.m_Mode) {
    case kImportColor:
        if (!o.m_ColorKeepAlpha)
            image.DropAlpha();
        break;
    case kImportNormalMap:
        if (!o.m_NormalKeepAlpha)
            image.DropAlpha();
        if (o.m_InvertGreen)
            image.InvertGreen();
        break;
    case kImportHeightMap:
    case kImportBlendedNormal:
        if (!image.HeightToNormalMap(o.m_Strength)) {
            memory.m_ImageFile = keptFile;
            memory.m_ImageFolder = keptFolder;
            return false;
        }
        if (!(o.m_Mode == kImportHeightMap && o.m_KeepHeight))
            image.DropAlpha();
        break;
    default: image.DropAlpha(); break;
    }
    if (o.m_Mode == kImportBlendedNormal)
        BlendNormalMaps(detail, image);

    const bool mips = o.m_Mode != kImportParticle && !(o.m_Mode == kImportColor && !o.m_ColorMips);
    if (mips)
        image.GenerateMips();
    image.Compress();

    PresetSaveName(o, keptFolder, source);
    cStr target;
    if (!cIO::PickImageToSave(target))
        return false;
    target.SetExtension("dds");
    if (!cIO::SaveImage(target.GetText(), image))
        return false;

    if (RenderDevice)
        RenderDevice->ReloadTexture(target.GetText());
    TextureImportFolder = cIO::ResolvePath(source.GetText()).GetFolder();
    cStr relative = target;
    relative.MakeRelative(cIO::GetBaseFolder()->GetText());
    cStr* output = o.m_Mode == kImportColor           ? o.m_ColorOutput
                   : o.m_Mode == kImportFixedName     ? o.m_FixedOutput
                   : o.m_Mode <= kImportBlendedNormal ? o.m_NormalOutput
                                                      : nullptr;
    if (output)
        *output = relative;
    o.m_Done = 1;
    return true;
}

}  // namespace tovan

#include "tools/image_swatch_file.h"

#include "classes/field_types.h"
#include "classes/member.h"
#include "core/render_device.h"

namespace tovan {

void cImageSwatchFile::RegisterMembers() {
    if (!BeginMembers())
        return;
    TOVAN_MEMBER(_cImageID, m_Image, "Image");
    TOVAN_MEMBER(_cLabel, m_Info, "Info");
    TOVAN_MEMBER(_cImageFile, m_File, "File");
}

cStr cImageSwatchFile::GetDisplayText(uint8_t* flag) {
    if (flag)
        *flag = 1;
    if (m_File.IsEmpty())
        return cStr();
    return cStr::Format(" - %s", m_File.GetText());
}

void cImageSwatchFile::UpdateHook() {
    if (m_File.IsEmpty()) {
        if (m_Image != -1)
            m_Info.Clear();
        m_LastPath.Clear();
        m_AdoptImage = false;
        m_LoadFailed = false;
        return;
    }
    // The same name (in any letter case) stays as it is, loaded or failed; an
    // Image reset by reading the object's XML loads again.
    if (!m_LastPath.IsEmpty() && CompareStringsNoCase(m_File.GetText(), m_LastPath.GetText()) == 0 &&
        (m_Image != -1 || m_LoadFailed))
        return;
    if (m_Image != -1 && m_LastPath.IsEmpty() && m_AdoptImage) {
        m_LastPath = m_File;
        m_AdoptImage = false;
        return;
    }
    LoadFile();
}

void cImageSwatchFile::LoadFile() {
    if (!RenderDevice)  // nothing to load with yet; try again once there is a device
        return;
    m_Image = RenderDevice->LoadTexture(m_File.GetText());
    if (m_Image != -1)
        RenderDevice->SetTextureSampler(m_Image, -1);
    // A failed name is remembered too: File (and what saving writes) stays.
    m_LastPath = m_File;
    m_AdoptImage = false;
    m_LoadFailed = m_Image == -1;
    BuildInfo();
}

TextureType TextureKind(int texture) {
    if (!RenderDevice || texture == -1)
        return TextureType::None;
    const int depth = RenderDevice->GetTextureDepth(texture);
    const int height = RenderDevice->GetTextureHeight(texture);
    if (depth == 1)
        return height == 1 ? TextureType::Texture1D : height > 1 ? TextureType::Texture2D : TextureType::None;
    if (depth > 1)
        return TextureType::Texture3D;
    return depth == 0 ? TextureType::Cube : TextureType::None;
}

void cImageSwatchFile::BuildInfo() {
    m_Info.Clear();
    const TextureType kind = TextureKind(m_Image);
    if (kind == TextureType::None)
        return;
    m_Info.AppendFormat("%d", RenderDevice->GetTextureWidth(m_Image));
    if (kind != TextureType::Texture1D)
        m_Info.AppendFormat(" x %d", RenderDevice->GetTextureHeight(m_Image));
    if (kind == TextureType::Texture3D)
        m_Info.AppendFormat(" x %d", RenderDevice->GetTextureDepth(m_Image));
    m_Info.Append(", ");
    if (const char* format = ImageFormatName(ImageFormat(RenderDevice->GetTextureFormat(m_Image))))
        m_Info.Append(format);
    m_Info.AppendFormat(", %s, ", TextureTypeName(kind));
    const int mips = RenderDevice->GetTextureMipCount(m_Image);
    if (mips == 1)
        m_Info.Append("No");
    else
        m_Info.AppendFormat("%d", mips);
    m_Info.Append(" mipmaps");
}

}  // namespace tovan

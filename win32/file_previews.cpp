// The flat previews: images scaled into the pane, the text of XML files, and
// the sound dialog that has nothing to show.
#include "core/log.h"
#include "core/os.h"
#include "io/codec_registry.h"
#include "io/image/image.h"
#include "io/io.h"
#include "win32/file_previews.h"

#include <cstring>

namespace tovan {

namespace {

template <class Registry>
cStr CodecNames(const Registry& registry) {
    cIO::Init();
    cStr names;
    for (const auto& entry : registry.Entries()) {
        names += " ";
        names += entry.m_Name;
    }
    return names;
}

// "1D", "2D", "Cube", "3D" as the image's sides make it.
const char* ImageTypeName(const cImage& image) {
    if (image.m_Depth == 1)
        return image.m_Height == 1 ? "1D" : image.m_Height > 1 ? "2D" : "None";
    if (image.m_Depth == 0)
        return "Cube";
    return image.m_Depth >= 2 ? "3D" : "None";
}

const char* FormatName(ImageFormat format) {
    if (format > ImageFormat::Dxt5)
        return "";
    const char* name = ImageFormatName(format);
    return name ? name : "";
}

void PutPixel(PreviewCanvas& canvas, int x, int y, ColorBytes c) {
    if (x < 0 || y < 0 || x >= canvas.Width() || y >= canvas.Height())
        return;
    uint8_t* p = canvas.Bits() + (canvas.Height() - 1 - y) * canvas.Stride() + 3 * x;
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
}

// The image's first level as Rgb8 rows, in the image's stored order.
bool ToRgb8(cImage& image) {
    if (IsBlockFormat(image.m_Format) && !image.Decompress())
        return false;
    if ((image.m_Depth == 0 || image.m_Depth >= 2) && !image.FlipVertical())
        return false;
    return image.ConvertFormat(ImageFormat::Rgb8);
}

}  // namespace

cStr ImageCodecNames() { return CodecNames(GetImageCodecs()); }
cStr ModelCodecNames() { return CodecNames(GetModelCodecs()); }
cStr AnimCodecNames() { return CodecNames(GetAnimCodecs()); }
cStr CameraCodecNames() { return CodecNames(GetCameraCodecs()); }

uint32_t PreviewClockMs() {
    const int64_t frequency = os::PerformanceFrequency();
    return frequency > 0 ? uint32_t(os::PerformanceCounter() / (frequency / 1000 > 0 ? frequency / 1000 : 1)) : 0;
}

// --- images ---------------------------------------------------------------------

cWin32::ImageFileDialog::ImageFileDialog(const char* initialFolder, bool open)
    : FileDialog(MainWindowHandle, initialFolder, open) {
    m_Title = open ? "Load Image File" : "Save Image File";
    BuildFilter(ImageCodecNames().GetText());
}

bool cWin32::ImageFileDialog::LoadPreview(const char* path, cStr& info) {
    cImage image;
    if (!cIO::LoadImage(path, image))
        return false;
    const char* type = ImageTypeName(image);
    info.AppendFormat("Size: %d", image.m_Width);
    if (std::strcmp(type, "1D") != 0)
        info.AppendFormat(" x %d", image.m_Height);
    if (std::strcmp(type, "3D") == 0)
        info.AppendFormat(" x %d", image.m_Depth);
    info.AppendFormat("\nFormat: %s\nType: %s\nMipmaps: ", FormatName(image.m_Format), type);
    if (image.m_Mips == 1)
        info += "no";
    else
        info.AppendInt(image.m_Mips);

    // A picture that cannot be converted is described but not drawn.
    m_Image.Release();
    if (!ToRgb8(image))
        return true;
    const uint8_t* rows = image.LevelData(0, 0);
    InitDibHeader(m_Image, image.m_Width, image.m_Height);
    if (!rows || m_Image.IsEmpty())
        return true;
    for (int k = 0; k < image.m_Height; ++k) {
        const uint8_t* from = rows + size_t(k) * size_t(image.m_Width) * 3;
        uint8_t* to = m_Image.Bits() + size_t(k) * size_t(m_Image.Stride());
        for (int x = 0; x < image.m_Width; ++x) {
            to[3 * x] = from[3 * x + 2];
            to[3 * x + 1] = from[3 * x + 1];
            to[3 * x + 2] = from[3 * x];
        }
    }
    return true;
}

void cWin32::ImageFileDialog::ReleasePreview() { m_Image.Release(); }

void cWin32::ImageFileDialog::DrawPreview(PreviewCanvas& canvas, int32_t, int32_t) {
    if (m_Image.IsEmpty() || canvas.IsEmpty())
        return;
    const float sx = float(canvas.Width()) / float(m_Image.Width());
    const float sy = float(canvas.Height()) / float(m_Image.Height());
    const float s = sx < sy ? sx : sy;
    const float w = s * float(m_Image.Width()), h = s * float(m_Image.Height());
    const int drawnWidth = w > 1 ? int(w) : 1, drawnHeight = h > 1 ? int(h) : 1;
    const int left = int((float(canvas.Width()) - w) / 2), top = int((float(canvas.Height()) - h) / 2);
    for (int r = 0; r < drawnHeight; ++r)
        for (int c = 0; c < drawnWidth; ++c)
            PutPixel(canvas, left + c, top + r,
                     m_Image.SampleBilinear(float(c) / float(drawnWidth), float(r) / float(drawnHeight)));
}

// --- sounds ---------------------------------------------------------------------

cWin32::SoundFileDialog::SoundFileDialog(const char* initialFolder, const char* extensions)
    : FileDialog(MainWindowHandle, initialFolder, true) {
    m_Title = "Load Sounde File";
    BuildFilter(extensions);
}

bool cWin32::SoundFileDialog::LoadPreview(const char*, cStr&) {
    m_Sound = -1;
    return false;
}

void cWin32::SoundFileDialog::ReleasePreview() { m_Sound = -1; }

void cWin32::SoundFileDialog::DrawPreview(PreviewCanvas& canvas, int32_t, int32_t) { canvas.DrawNoPreview(); }

// --- XML files ------------------------------------------------------------------

cWin32::XmlFileDialog::XmlFileDialog(const char* initialFolder, bool open)
    : FileDialog(MainWindowHandle, initialFolder, open) {
    m_Title = open ? "Load Xml File" : "Save Xml File";
    BuildFilter("Xml");
}

bool cWin32::XmlFileDialog::LoadPreview(const char* path, cStr& info) {
    m_Lines.Free();
    cStream file;
    if (!cIO::ReadFromSources(path, file)) {
        Warning("Can't load file \"%s\"", path);
        return false;
    }
    cStr line;
    while (file.ReadLine(line))
        m_Lines.PushBack(line);
    info.AppendFormat("Lines: %d", m_Lines.Count());
    return true;
}

void cWin32::XmlFileDialog::ReleasePreview() { m_Lines.Free(); }

void cWin32::XmlFileDialog::DrawPreview(PreviewCanvas& canvas, int32_t dragX, int32_t dragY) {
    for (int i = 0; i < m_Lines.Count(); ++i) {
        const int64_t y = int64_t(dragY) + 16 * int64_t(i);
        if (y < 0)
            continue;
        if (y > canvas.Height())
            break;
        const cStr& line = m_Lines[i];
        for (int k = 0; k < line.Length(); ++k) {
            const int64_t x = int64_t(dragX) + 8 * int64_t(k);
            if (x > canvas.Width())
                break;
            canvas.DrawChar(static_cast<unsigned char>(line[k]), int(x), int(y), 0);
        }
    }
}

}  // namespace tovan

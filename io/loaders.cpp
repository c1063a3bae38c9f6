// Loading media by name. Every loader names its file relative to the base
// folder in its messages, reads it whole through the sources, and hands the
// bytes to the codec its extension names (for images, confirmed by content).
#include "core/log.h"
#include "io/codec_registry.h"
#include "io/io.h"
#include "io/model/bsp.h"

namespace tovan {

namespace {

struct KindTexts {
    const char* cantLoad;
    const char* cantDecode;
    const char* loaded;
};

constexpr KindTexts kImageTexts = {"Can't load image file \"%s\"", "Can't decode image file \"%s\"",
                                   "Loaded image file \"%s\""};
constexpr KindTexts kAnimTexts = {"Can't load animation file \"%s\"", "Can't decode animation file \"%s\"",
                                  "Loaded animation file \"%s\""};
constexpr KindTexts kModelTexts = {"Can't load model file \"%s\"", "Can't decode model file \"%s\"",
                                   "Loaded model file \"%s\""};
constexpr KindTexts kCameraTexts = {"Can't load camera file \"%s\"", "Can't decode camera file \"%s\"",
                                    "Loaded camera file \"%s\""};

// The name as messages show it: resolved, then relative to the base folder.
cStr DisplayName(const cStr& path) {
    cStr display = path;
    display.MakeRelative(cIO::GetBaseFolder()->GetText());
    return display;
}

// Reads the file of a display name; warns the kind's can't-load text when
// nothing reads it.
bool ReadMedia(const cStr& display, const KindTexts& texts, cStream& file) {
    if (cIO::ReadFromSources(display.GetText(), file))
        return true;
    Warning(texts.cantLoad, display.GetText());
    return false;
}

template <class Codec, class Record>
bool Decode(Codec* codec, cStream& file, Record& out, const cStr& display, const KindTexts& texts) {
    if (!codec || !codec->Decode(file, out)) {
        Warning(texts.cantDecode, display.GetText());
        return false;
    }
    Log(texts.loaded, display.GetText());
    return true;
}

template <class Codec, class Record>
bool LoadByExtension(const char* name, Record& out, const cCodecRegistry<Codec>& codecs, const KindTexts& texts) {
    cIO::Init();
    const cStr display = DisplayName(cIO::ResolvePath(name));
    cStream file;
    if (!ReadMedia(display, texts, file))
        return false;
    return Decode(codecs.Find(display.GetExtension().GetText()), file, out, display, texts);
}

// The extension an image is decoded as: a temporary copy (an extension
// holding "temp", as picture.tga.temp) goes by the extension before it.
cStr ImageExtension(const cStr& display) {
    cStr extension = display.GetExtension();
    if (extension.Find("temp", true) < 0)
        return extension;
    cStr rest = display;
    rest.SetLength(display.Length() - extension.Length() - 1);
    return rest.GetExtension();
}

// Whether the last component of a path has a '.'.
bool HasExtension(const cStr& path) {
    for (int i = path.Length() - 1; i >= 0 && !IsPathSeparator(path[i]); --i)
        if (path[i] == '.')
            return true;
    return false;
}

}  // namespace

bool cIO::LoadImage(const char* name, cImage& image) {
    Init();
    const cStr display = DisplayName(ResolvePath(name));
    cStr extension = ImageExtension(display);
    cStream file;
    if (!ReadMedia(display, kImageTexts, file))
        return false;
    const uint8_t* b = file.Data();
    const uint32_t first4 = file.Count() >= 4 ? uint32_t(b[0] | b[1] << 8 | b[2] << 16) | uint32_t(b[3]) << 24 : 0;
    DetectImageCodec(first4, extension);
    return Decode(GetImageCodecs().Find(extension.GetText()), file, image, display, kImageTexts);
}

bool cIO::SaveImage(const char* name, const cImage& image) {
    Init();
    if (!name)
        return false;
    const cStr extension = cStr(name).GetExtension();
    ImageCodec* codec = extension.IsEmpty() ? nullptr : GetImageCodecs().Find(extension.GetText());
    if (!codec)
        return false;
    cStream out;
    out.m_Name.SetText(name);
    if (!codec->Encode(image, out)) {
        Warning("Can't encode image \"%s\"", name);
        return false;
    }
    // An encoder that succeeds with nothing to write leaves the disk alone.
    return out.Count() == 0 || SaveFile(name, out.Data(), out.Count(), false, true);
}

bool cIO::LoadAnim(const char* name, cAnim& anim) { return LoadByExtension(name, anim, GetAnimCodecs(), kAnimTexts); }

bool cIO::LoadModel(const char* name, cModel& model) {
    return LoadByExtension(name, model, GetModelCodecs(), kModelTexts);
}

bool cIO::LoadCamera(const char* name, cCamera& camera) {
    return LoadByExtension(name, camera, GetCameraCodecs(), kCameraTexts);
}

bool cIO::LoadBsp(const char* name, cBsp& bsp) {
    Init();
    cStr path = ResolvePath(name);
    if (!HasExtension(path))
        path.Append(".cBsp");
    const cStr display = DisplayName(path);
    cStream file;
    if (!ReadFromSources(path.GetText(), file)) {
        Warning("Can't load file \"%s\"", path.GetText());
        Warning("Can't load BSP file \"%s\"", display.GetText());
        return false;
    }
    if (!DecodeBsp(file, bsp)) {
        Warning("Can't decode BSP file \"%s\"", display.GetText());
        return false;
    }
    Log("Loaded BSP file \"%s\"", display.GetText());
    return true;
}

}  // namespace tovan

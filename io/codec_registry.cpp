#include "io/codec_registry.h"

#include "core/log.h"

namespace tovan {

namespace {

template <class Codec>
bool AddAndLog(cCodecRegistry<Codec>& registry, const char* name, Codec* codec, const char* kind) {
    if (!registry.Add(name, codec))
        return false;
    // The name comes from the caller: it goes to the log as text, never as a format.
    cStr line = cStr::Format("Added \"%s\" %s ", name, kind);
    line.Append(codec->CanEncode() ? "codec." : "decoder.");
    Log("%s", line.GetText());
    return true;
}

}  // namespace

cImageCodecs& GetImageCodecs() {
    static cImageCodecs registry;
    return registry;
}
cAnimCodecs& GetAnimCodecs() {
    static cAnimCodecs registry;
    return registry;
}
cModelCodecs& GetModelCodecs() {
    static cModelCodecs registry;
    return registry;
}
cCameraCodecs& GetCameraCodecs() {
    static cCameraCodecs registry;
    return registry;
}

bool AddCodec(cImageCodecs& registry, const char* name, cIO::ImageCodec* codec) {
    if (!registry.Add(name, codec))
        return false;
    Log("%s", cStr::Format("Added \"%s\" image codec.", name).GetText());
    return true;
}
bool AddCodec(cAnimCodecs& registry, const char* name, cIO::AnimCodec* codec) {
    return AddAndLog(registry, name, codec, "animation");
}
bool AddCodec(cModelCodecs& registry, const char* name, cIO::ModelCodec* codec) {
    return AddAndLog(registry, name, codec, "model");
}
bool AddCodec(cCameraCodecs& registry, const char* name, cIO::CameraCodec* codec) {
    return AddAndLog(registry, name, codec, "camera");
}

bool cIO::AddImageCodec(const char* name, ImageCodec* codec) {
    Init();
    return AddCodec(GetImageCodecs(), name, codec);
}
bool cIO::AddAnimCodec(const char* name, AnimCodec* codec) {
    Init();
    return AddCodec(GetAnimCodecs(), name, codec);
}
bool cIO::AddModelCodec(const char* name, ModelCodec* codec) {
    Init();
    return AddCodec(GetModelCodecs(), name, codec);
}
bool cIO::AddCameraCodec(CameraCodec* codec) {
    Init();
    return AddCodec(GetCameraCodecs(), "cCamera", codec);
}

cIO::ImageCodec* cIO::FindImageCodec(const char* name) {
    Init();
    return GetImageCodecs().Find(name);
}

bool cIO::DetectImageCodec(uint32_t first4, cStr& extension) {
    Init();
    cStr upper = extension;
    for (int i = 0; i < upper.Length(); ++i)
        if (upper[i] >= 'a' && upper[i] <= 'z')
            upper[i] = char(upper[i] - 'a' + 'A');
    const auto& entries = GetImageCodecs().Entries();
    for (const auto& entry : entries)
        if (CompareStringsNoCase(entry.m_Name.GetText(), upper.GetText()) == 0 &&
            entry.m_Codec->Identify(first4, upper.GetText()) == 1)
            return true;
    for (const auto& entry : entries) {
        if (entry.m_Codec->Identify(first4, entry.m_Name.GetText()) == 1) {
            extension = entry.m_Name;
            return false;
        }
    }
    return true;
}

}  // namespace tovan

// The resource layer's four codec registries (internal to io/; the file
// pickers list them): names and codecs in registration order, never shrunk.
// A registry owns its codecs until the process exits.
#pragma once
#include "core/list.h"
#include "core/str.h"
#include "io/codecs/image_codec.h"
#include "io/codecs/model_codecs.h"
#include "io/io.h"

namespace tovan {

template <class Codec>
class cCodecRegistry {
public:
    struct Entry {
        cStr m_Name;
        Codec* m_Codec;
    };

    cCodecRegistry() = default;
    cCodecRegistry(const cCodecRegistry&) = delete;
    cCodecRegistry& operator=(const cCodecRegistry&) = delete;
    ~cCodecRegistry() {
        for (Entry& entry : m_Entries)
            delete entry.m_Codec;
    }

    // The codec registered under the name (ASCII case ignored), or null.
    Codec* Find(const char* name) const {
        for (const Entry& entry : m_Entries)
            if (CompareStringsNoCase(entry.m_Name.GetText(), name) == 0)
                return entry.m_Codec;
        return nullptr;
    }
    // Takes the codec unless the name is taken (or either is missing).
    bool Add(const char* name, Codec* codec) {
        if (!name || !codec || Find(name))
            return false;
        m_Entries.PushBack({cStr(name), codec});
        return true;
    }
    const cList<Entry>& Entries() const { return m_Entries; }

private:
    cList<Entry> m_Entries;
};

using cImageCodecs = cCodecRegistry<cIO::ImageCodec>;
using cAnimCodecs = cCodecRegistry<cIO::AnimCodec>;
using cModelCodecs = cCodecRegistry<cIO::ModelCodec>;
using cCameraCodecs = cCodecRegistry<cIO::CameraCodec>;

// The registries cIO loads with.
cImageCodecs& GetImageCodecs();
cAnimCodecs& GetAnimCodecs();
cModelCodecs& GetModelCodecs();
cCameraCodecs& GetCameraCodecs();

// Registration into a registry with its log line: "Added "Bmp" image codec.",
// "Added "Md5Anim" animation decoder." (codec. when the codec can encode).
bool AddCodec(cImageCodecs& registry, const char* name, cIO::ImageCodec* codec);
bool AddCodec(cAnimCodecs& registry, const char* name, cIO::AnimCodec* codec);
bool AddCodec(cModelCodecs& registry, const char* name, cIO::ModelCodec* codec);
bool AddCodec(cCameraCodecs& registry, const char* name, cIO::CameraCodec* codec);

// Where start-up hands the framework's codecs, one function a kind; each
// takes the codec or answers false (the codec is then deleted).
struct CodecSinks {
    bool (*image)(const char* name, cIO::ImageCodec* codec);
    bool (*anim)(const char* name, cIO::AnimCodec* codec);
    bool (*model)(const char* name, cIO::ModelCodec* codec);
    bool (*camera)(cIO::CameraCodec* codec);
};

// The framework's codecs in the order the pickers list them: images "Dds",
// "Bmp", "cPvr", "Tga"; animations "cAnim", "Md5Anim"; models "cModel",
// "Md5Mesh", "Obj"; the camera set "cCamera".
void RegisterFrameworkCodecs(const CodecSinks& sinks);

}  // namespace tovan

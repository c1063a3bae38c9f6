#include "io/codec_registry.h"

namespace tovan {

namespace {

// Offers a codec; one refused is not the registry's and is deleted here.
template <class Codec, class Add, class... Name>
void Offer(Add add, Codec* codec, Name... name) {
    if (!add(name..., codec))
        delete codec;
}

}  // namespace

void RegisterFrameworkCodecs(const CodecSinks& sinks) {
    RegisterImageCodecs(sinks.image);
    Offer(sinks.anim, static_cast<cIO::AnimCodec*>(new cCodecAnim), "cAnim");
    Offer(sinks.anim, static_cast<cIO::AnimCodec*>(new cCodecMd5Anim), "Md5Anim");
    Offer(sinks.model, static_cast<cIO::ModelCodec*>(new cCodecModel), "cModel");
    Offer(sinks.model, static_cast<cIO::ModelCodec*>(new cCodecMd5Model), "Md5Mesh");
    Offer(sinks.model, static_cast<cIO::ModelCodec*>(new cCodecObj), "Obj");
    Offer(sinks.camera, static_cast<cIO::CameraCodec*>(new cCodecCamera));
}

// The last step of start-up, in the order the file pickers list the codecs.
void cIO::RegisterCodecs() {
    RegisterFrameworkCodecs({&cIO::AddImageCodec, &cIO::AddAnimCodec, &cIO::AddModelCodec, &cIO::AddCameraCodec});
}

}  // namespace tovan

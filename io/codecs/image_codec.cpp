#include "io/codecs/image_codec.h"

namespace tovan {

cIO::ImageCodec::~ImageCodec() = default;

namespace {
template <class Codec>
cIO::ImageCodec* Create() {
    return new Codec;
}
}  // namespace

const ImageCodecEntry kImageCodecs[4] = {
    {"Dds", Create<cCodecDds>},
    {"Bmp", Create<cCodecBmp>},
    {"cPvr", Create<cCodecPvr>},
    {"Tga", Create<cCodecTga>},
};

void RegisterImageCodecs(bool (*add)(const char* name, cIO::ImageCodec* codec)) {
    for (const ImageCodecEntry& entry : kImageCodecs) {
        cIO::ImageCodec* codec = entry.create();
        if (!add(entry.name, codec))
            delete codec;
    }
}

}  // namespace tovan

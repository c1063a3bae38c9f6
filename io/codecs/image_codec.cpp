#include "io/codecs/image_codec.h"

#include <iterator>

namespace tovan {

cIO::ImageCodec::~ImageCodec() = default;

namespace {
template <class Codec>
cIO::ImageCodec* Create() {
    return new Codec;
}
}  // namespace

const ImageCodecEntry kImageCodecs[] = {
    {"Dds", Create<cCodecDds>},
    {"Bmp", Create<cCodecBmp>},
    {"cPvr", Create<cCodecPvr>},
    {"Tga", Create<cCodecTga>},
};
const int kImageCodecCount = int(std::size(kImageCodecs));

void RegisterImageCodecs(bool (*add)(const char* name, cIO::ImageCodec* codec)) {
    for (const ImageCodecEntry& entry : kImageCodecs) {
        cIO::ImageCodec* codec = entry.create();
        if (!add(entry.name, codec))
            delete codec;
    }
}

}  // namespace tovan

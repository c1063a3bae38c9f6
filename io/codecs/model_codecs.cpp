#include "io/codecs/model_codecs.h"

namespace tovan {

cIO::ModelCodec::~ModelCodec() = default;
cIO::AnimCodec::~AnimCodec() = default;
cIO::CameraCodec::~CameraCodec() = default;

}  // namespace tovan

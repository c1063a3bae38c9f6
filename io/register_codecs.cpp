#include "io/io.h"

namespace tovan {

// The last step of start-up. The codec registries add their codecs here, in the
// order the file pickers list them.
void cIO::RegisterCodecs() {}

}  // namespace tovan

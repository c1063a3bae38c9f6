#include "core/entry.h"

namespace tovan {

cStr CommandLineText;

}  // namespace tovan

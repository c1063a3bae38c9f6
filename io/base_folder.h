// How start-up finds the data folder from the program's own path.
#pragma once
#include "core/str.h"

namespace tovan {

// The folder of the module path, with a known compiler output folder at its end
// replaced by the data folder it builds for (one log line when that happens).
cStr BaseFolderFromModulePath(const char* modulePath);

}  // namespace tovan

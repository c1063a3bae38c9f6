// The application's start as a build of the framework alone provides it. Any
// program that defines its own ApplicationStart replaces this one at link time,
// which is why it sits alone in its file.
#include "core/entry.h"
#include "core/memory.h"

#include <cstdlib>

namespace tovan {

void ApplicationStart() {
    GetGlobalLocks();
    std::exit(0);
}

}  // namespace tovan

// What both program entry points hand to the application: the command line, and
// the application's own start, called last.
//
// Framework globals exist before any entry point runs: plain data is constant-
// initialised; a global that owns memory is a namespace-scope object whose
// destructor the runtime registers as soon as it is constructed, so everything
// it holds goes back at exit. Constructors never read another unit's globals,
// so no order between units is needed.
#pragma once
#include "core/str.h"

namespace tovan {

// The command line: written once by the entry point, read-only afterwards.
extern cStr CommandLineText;

// Supplied by the application; never returns. A build of the framework alone
// links a default start in its place.
[[noreturn]] void ApplicationStart();

}  // namespace tovan

// The application's start as a build of the framework alone provides it. Any
// program that defines its own ApplicationStart replaces this one at link time,
// which is why it sits alone in its file.
#include "core/entry.h"
#include "core/log.h"
#include "core/memory.h"
#include "io/io.h"
#include "service/console_entry.h"

#include <cstdio>
#include <cstdlib>

namespace tovan {

void ApplicationStart() {
    GetGlobalLocks();  // on the main thread, before anything can race for it
    cIO::Init();
    Log("halden-service started with the command line \"%s\"", CommandLineText.GetText());
    PrintLogText(stdout);
    std::exit(0);
}

}  // namespace tovan

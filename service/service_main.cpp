// Entry point of the console program: everything else it needs was set up
// statically before main.
#include "core/entry.h"
#include "io/model/model.h"
#include "service/console_entry.h"

int main(int argc, char** argv) {
    tovan::JoinArguments(argc, argv);
    // This program owns the device's buffers of the models it drops.
    tovan::SetReleaseMeshBuffers(true);
    tovan::ApplicationStart();
}

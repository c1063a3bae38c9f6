// Entry point of the windowed program: the framework's process-wide state is made
// on the main thread before anything else runs, then the application starts.
#include "core/entry.h"
#include "core/memory.h"
#include "win32/key_tables.h"
#include "win32/pick_dialogs.h"

#include <windows.h>
#include <ole2.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    tovan::GetGlobalLocks();  // constructed here, before any thread can race for it
    tovan::CommandLineText.SetText(commandLine);
    OleInitialize(nullptr);
    SetThreadAffinityMask(GetCurrentThread(), 1);
    tovan::BuildKeyCodeTables();
    tovan::InstallFileDialogs();
    tovan::ApplicationStart();
}

// Control of the headless OS double used by the native build: the virtual drive,
// the recorded calls and the answers a test scripts. Only the native build has it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/os.h"

namespace tovan::os::headless {

// C:\ of the virtual drive maps to this host folder. Other drives and UNC paths
// do not exist. Path components match without regard to ASCII case, like NTFS.
void SetDriveRoot(const std::string& hostFolder);
const std::string& DriveRoot();
// Host path of a Windows-form path, or "" when it lies outside drive C:.
std::string HostPath(const char* windowsPath);

void SetModulePath(const std::string& windowsPath);       // default "C:\app\halden.exe"
void SetDocumentsFolder(const std::string& windowsPath);  // default "C:\Users\tovan\Documents"; "" = none

// The double's own environment (starts empty); names match without regard to case.
void SetEnvironment(const std::string& name, const std::string& value);
void UnsetEnvironment(const std::string& name);

// The clipboard: its text, and whether another program holds it open.
void SetClipboard(const std::string& text);
std::string Clipboard();  // "" when it holds no text
void SetClipboardBusy(bool busy);

// RunAndWait starts a real host process (posix_spawn, the parameters split by the
// Windows argument rules, the file mapped through the virtual drive or looked up
// on the host's PATH) unless a test queued an answer: each queued answer serves
// one call, which then starts nothing.
void ScriptProcessExit(uint32_t exitCode);
void ScriptProcessStartFailure();
// The Windows command-line splitting that the children see as their arguments.
std::vector<std::string> SplitCommandLine(const char* parameters);

// CurrentProcessId answers the host's id until a test sets one (0 sets the
// host's again). ProcessAlive answers what a test scripted for an id, else
// whether the host runs a process of that id.
void SetProcessId(uint32_t id);
void ScriptProcessAlive(uint32_t id, bool alive);

// The performance counter follows the host's monotonic clock in nanoseconds, and
// the local time the host's, until a test sets them; then they stand still.
void SetPerformanceCounter(int64_t ticks, int64_t frequency);
void SetLocalTime(const DateTime& time);

// Every seam call that a test may want to see is recorded as one line, e.g.
// "FileOpen C:\a.txt read".
std::vector<std::string> TakeCalls();
void Record(const std::string& line);

// Answers of the modal windows (dialog buttons), taken in the order scripted;
// once none is left every window gives its own default answer.
void ScriptAnswer(int answer);

// What the user does in the next file dialog: types `name` into its file-name
// box (a full path, or a name in the folder the dialog shows), selects filter
// entry `filterIndex` (from 1; 0 leaves the dialog's own) and presses OK. An
// empty name presses Cancel. Each choice serves one dialog; a dialog with none
// left is cancelled.
struct FileChoice {
    std::string name;
    int32_t filterIndex = 0;
};
void ScriptFileChoice(const std::string& name, int32_t filterIndex = 0);
bool TakeFileChoice(FileChoice* choice);  // false when none is queued

// The next `count` thread starts fail, as CreateThread can.
void ScriptThreadStartFailures(int count);
int TakeAnswer(int fallback);

// A disk that fills up: once `bytes` more bytes are written (all files together)
// every write fails, the write that crosses the limit putting only what fits.
// A negative count lifts the limit, as Reset does.
void ScriptWriteLimit(int64_t bytes);

// The process dies at the next FileReplace, before anything is moved: the call
// throws CutOff, so that nothing of the caller after it runs, and what it had
// written stays on the disk.
struct CutOff {};
void ScriptCutOffAtReplace();

// The next FileFlush fails, as on a disk that reports an error.
void ScriptFlushFailure();
// FileFlush and FolderFlush succeed without waiting for the disk, until Reset:
// benchmarks weigh what the flushes cost.
void SkipFlushes();

// Replaces one colour of the system's scheme (os::SystemColor) until Reset.
void SetSystemColor(int index, uint32_t color);

// Puts the double back to its start state (drive root kept, scripts and records cleared).
void Reset();

}  // namespace tovan::os::headless

// Control of the headless OS double used by the native build: the virtual drive,
// the recorded calls and the answers a test scripts. Only the native build has it.
#pragma once
#include <string>
#include <vector>

namespace tovan::os::headless {

// C:\ of the virtual drive maps to this host folder. Other drives and UNC paths
// do not exist. Path components match without regard to ASCII case, like NTFS.
void SetDriveRoot(const std::string& hostFolder);
const std::string& DriveRoot();
// Host path of a Windows-form path, or "" when it lies outside drive C:.
std::string HostPath(const char* windowsPath);

void SetModulePath(const std::string& windowsPath);  // default "C:\app\halden.exe"

// Every seam call that a test may want to see is recorded as one line, e.g.
// "FileOpen C:\a.txt read".
std::vector<std::string> TakeCalls();
void Record(const std::string& line);

// Puts the double back to its start state (drive root kept, scripts and records cleared).
void Reset();

}  // namespace tovan::os::headless

#include "core/os.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

namespace tovan::os {

bool RunAndWait(const char* file, const char* parameters, uint32_t* exitCode) {
    *exitCode = 0;
    SHELLEXECUTEINFOA info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "open";
    info.lpFile = file;
    info.lpParameters = parameters;
    info.nShow = SW_HIDE;
    if (!ShellExecuteExA(&info))
        return false;
    if (!info.hProcess)  // handed to a running program: nothing to wait for
        return false;
    DWORD code = 0;
    bool ok = WaitForSingleObject(info.hProcess, INFINITE) == WAIT_OBJECT_0 && GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    *exitCode = code;
    return ok;
}

uint32_t CurrentProcessId() { return GetCurrentProcessId(); }

bool ProcessAlive(uint32_t processId) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process)  // no such process, unless it is one that we may not open
        return GetLastError() == ERROR_ACCESS_DENIED;
    // An ended process lives on as an object while someone holds a handle to it.
    bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

bool ShellOpen(const char* file) {
    HINSTANCE result = ShellExecuteA(nullptr, "open", file, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

int EnvironmentVariable(const char* name, char* buffer, int size) {
    if (!name || size < 1)
        return -1;
    buffer[0] = 0;
    SetLastError(ERROR_SUCCESS);
    DWORD n = GetEnvironmentVariableA(name, buffer, DWORD(size));
    if (n == 0)
        return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? -1 : 0;
    if (n >= DWORD(size)) {  // too small: the size needed, with the terminator, and nothing written
        buffer[0] = 0;
        return int(n - 1);
    }
    return int(n);
}

}  // namespace tovan::os

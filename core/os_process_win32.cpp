#include "core/os.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
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

bool ShellOpen(const char* file) {
    HINSTANCE result = ShellExecuteA(nullptr, "open", file, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

int EnvironmentVariable(const char* name, char* buffer, int size) {
    char* value = nullptr;
    size_t length = 0;
    if (!name || _dupenv_s(&value, &length, name) != 0 || !value) {
        free(value);
        return -1;
    }
    size_t n = strlen(value);
    if (size > 0) {
        size_t copied = n < size_t(size - 1) ? n : size_t(size - 1);
        memcpy(buffer, value, copied);
        buffer[copied] = 0;
    }
    free(value);
    return int(n);
}

}  // namespace tovan::os

#include "tests/support/child_process_win32.h"

#include <cstdlib>

namespace tovan::test {

ChildOutcome RunChildJob(const std::string& name, const std::string& argument, DWORD timeoutMs) {
    ChildOutcome outcome;
    char self[MAX_PATH] = {};
    if (!GetModuleFileNameA(nullptr, self, sizeof self))
        return outcome;
    // The job travels in the environment, which the child inherits.
    if (_putenv_s("TOVAN_TEST_JOB", (name + ":" + argument).c_str()) != 0)
        return outcome;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = std::string("\"") + self + "\"";
    outcome.started = CreateProcessA(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                     &process) != FALSE;
    _putenv_s("TOVAN_TEST_JOB", "");
    if (!outcome.started)
        return outcome;
    if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        outcome.timedOut = true;
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    GetExitCodeProcess(process.hProcess, &outcome.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return outcome;
}

}  // namespace tovan::test

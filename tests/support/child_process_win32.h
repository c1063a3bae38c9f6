// Runs a child job (tests/support/child_job.h) of this test program in its own
// process, so that a crash in what it drives fails the test that started it
// instead of ending the whole run, and a hang is cut off.
#pragma once
#include <windows.h>

#include <string>

namespace tovan::test {

struct ChildOutcome {
    bool started = false;
    bool timedOut = false;  // ended by the parent after the time-out
    DWORD exitCode = 0;     // 0xC0000005 after an access violation
};

ChildOutcome RunChildJob(const std::string& name, const std::string& argument, DWORD timeoutMs);

}  // namespace tovan::test

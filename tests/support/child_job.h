// A test can start its own test program again as a child that does one job
// instead of running the tests (to see a process end, or restart itself). The
// job travels in the environment variable TOVAN_TEST_JOB as "name:argument", so
// the child's own children inherit it.
#pragma once

namespace tovan::test {

using ChildJob = int (*)(const char* argument);  // returns the exit code

struct ChildJobRegistration {
    ChildJobRegistration(const char* name, ChildJob job);
};

// Called by main: runs the job that the environment asks for and returns its
// exit code, or -1 when this process is no child.
int RunRequestedChildJob();

}  // namespace tovan::test

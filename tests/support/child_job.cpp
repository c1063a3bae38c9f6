#include "tests/support/child_job.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace tovan::test {

namespace {
std::map<std::string, ChildJob>& Jobs() {
    static std::map<std::string, ChildJob> jobs;
    return jobs;
}
}  // namespace

ChildJobRegistration::ChildJobRegistration(const char* name, ChildJob job) { Jobs()[name] = job; }

int RunRequestedChildJob() {
    const char* request = getenv("TOVAN_TEST_JOB");
    if (!request || !*request)
        return -1;
    const char* colon = strchr(request, ':');
    std::string name = colon ? std::string(request, size_t(colon - request)) : std::string(request);
    auto job = Jobs().find(name);
    if (job == Jobs().end())
        return 125;  // asked for a job this program does not know
    return job->second(colon ? colon + 1 : "");
}

}  // namespace tovan::test

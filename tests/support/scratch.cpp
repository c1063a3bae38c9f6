#include "tests/support/scratch.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

namespace tovan::test {

namespace {
// A death-test child runs its test from the start and ends by exit, before
// the fixture's destructor: the folders it still holds go at exit instead. A
// forked child holds its parent's too, which it must leave alone.
struct HeldFolders {
    std::mutex lock;
    std::map<std::string, unsigned long> folders;  // and the process that made each
};

HeldFolders& Held() {
    static HeldFolders* held = new HeldFolders;  // never destroyed: the exit handler needs it
    return *held;
}

bool RemoveAll(const std::string& folder) {
    std::error_code failed;
    std::filesystem::remove_all(folder, failed);
    return !failed;
}

void RemoveHeld() {
    HeldFolders& held = Held();
    std::lock_guard<std::mutex> guard(held.lock);
    const unsigned long self = HostProcessId();
    for (const auto& [folder, maker] : held.folders)
        if (maker == self)
            RemoveAll(folder);
    held.folders.clear();
}
}  // namespace

void HoldScratch(const std::string& folder) {
    static std::once_flag once;
    std::call_once(once, [] { std::atexit(RemoveHeld); });
    HeldFolders& held = Held();
    std::lock_guard<std::mutex> guard(held.lock);
    held.folders[folder] = HostProcessId();
}

void DropScratch(const std::string& folder) {
    {
        HeldFolders& held = Held();
        std::lock_guard<std::mutex> guard(held.lock);
        held.folders.erase(folder);
    }
    // Under wine a program that a test ran may keep its file a moment after it ends.
    for (int tries = 0; tries < 100 && !RemoveAll(folder); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

}  // namespace tovan::test

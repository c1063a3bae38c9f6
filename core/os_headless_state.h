// Internal state of the headless OS double, shared by its _headless.cpp files.
#pragma once
#include <mutex>
#include <string>
#include <vector>

namespace tovan::os::headless {

struct State {
    std::mutex lock;
    std::string driveRoot;
    std::string modulePath = "C:\\app\\halden.exe";
    std::string currentDirectory = "C:\\";
    std::vector<std::string> calls;
};

State& GetState();

// Full Windows form of a path ("C:\a\b"), with '.' and '..' folded and '/' turned
// into '\'; "" for other drives and UNC names.
std::string FullPath(const char* path);

}  // namespace tovan::os::headless

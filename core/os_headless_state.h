// Internal state of the headless OS double, shared by its _headless.cpp files.
#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "core/os.h"
#include "core/os_headless.h"

namespace tovan::os::headless {

struct ProcessScript {
    bool starts;
    uint32_t exitCode;
};

struct State {
    std::mutex lock;
    std::string driveRoot;
    std::string modulePath = "C:\\app\\halden.exe";
    std::string currentDirectory = "C:\\";
    std::string documentsFolder = "C:\\Users\\tovan\\Documents";
    std::map<std::string, std::string> environment;  // keys upper-cased
    std::string clipboard;
    bool clipboardHasText = false;
    bool clipboardBusy = false;
    std::deque<ProcessScript> processScripts;
    std::vector<std::string> calls;
    bool counterScripted = false;
    int64_t counter = 0;
    int64_t frequency = 1;
    bool localTimeScripted = false;
    DateTime localTime{};
    std::deque<int> answers;
    std::deque<FileChoice> fileChoices;
    int threadStartFailures = 0;
    // Bytes that may still be written before every write fails; -1: no limit.
    int64_t writeLimit = -1;
    bool cutOffAtReplace = false;
    bool flushFails = false;
    bool flushesSkipped = false;
    uint32_t processId = 0;                 // 0: the host's
    std::map<uint32_t, bool> processAlive;  // scripted over the host's answer
    std::map<int, uint32_t> systemColors;   // scripted over the classic scheme
};

State& GetState();

// Full Windows form of a path ("C:\a\b"), with '.' and '..' folded and '/' turned
// into '\'; "" for other drives and UNC names.
std::string FullPath(const char* path);

// Windows form (C:\a\b) of an existing host entry, its folder links
// followed; "" when it lies outside the drive root.
std::string WindowsPath(const std::string& hostPath);

// Copies text into a caller's buffer the way the Win32 string getters do: at most
// size - 1 characters and a terminator; returns the full length.
int CopyOut(const std::string& text, char* buffer, int size);

// Whether flushes are to wait for the disk (SkipFlushes).
bool FlushesWait();

// A host time stamp in the units of SystemFileTime.
uint64_t FileTimeOf(int64_t seconds, int64_t nanoseconds);

}  // namespace tovan::os::headless

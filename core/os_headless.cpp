#include "core/os_headless.h"

#include "core/os.h"
#include "core/os_headless_state.h"

#include <dirent.h>
#include <strings.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>

namespace tovan::os::headless {

namespace {
constexpr size_t kMaxCalls = 10000;  // keep long tests from growing the record without bound

std::string DefaultRoot() {
    char buffer[4096];
    if (getcwd(buffer, sizeof buffer))
        return buffer;
    return "/tmp";
}

// Picks the existing entry of `folder` that matches `name` without regard to
// ASCII case; the name as given when nothing matches (a file about to be created).
std::string MatchComponent(const std::string& folder, const std::string& name) {
    std::string exact = folder + "/" + name;
    if (access(exact.c_str(), F_OK) == 0)
        return exact;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            if (strcasecmp(entry->d_name, name.c_str()) == 0) {
                std::string found = folder + "/" + entry->d_name;
                closedir(dir);
                return found;
            }
        }
        closedir(dir);
    }
    return exact;
}
}  // namespace

State& GetState() {
    static State* state = [] {
        State* s = new State;
        s->driveRoot = DefaultRoot();
        return s;
    }();
    return *state;
}

std::string FullPath(const char* path) {
    if (!path)
        return "";
    std::string p(path);
    for (char& c : p)
        if (c == '/')
            c = '\\';
    if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\')
        return "";  // UNC: no network in the double
    std::string base;
    {
        State& s = GetState();
        std::lock_guard<std::mutex> guard(s.lock);
        base = s.currentDirectory;
    }
    std::string full;
    if (p.size() >= 2 && p[1] == ':') {
        if (p[0] != 'C' && p[0] != 'c')
            return "";
        std::string rest = p.substr(2);
        full = (!rest.empty() && rest[0] == '\\') ? "C:" + rest : base + "\\" + rest;
    } else if (!p.empty() && p[0] == '\\') {
        full = "C:" + p;
    } else {
        full = base + "\\" + p;
    }
    // Fold the components after "C:".
    std::vector<std::string> parts;
    size_t i = 2;
    while (i <= full.size()) {
        size_t j = full.find('\\', i);
        if (j == std::string::npos)
            j = full.size();
        std::string part = full.substr(i, j - i);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = j + 1;
    }
    std::string out = "C:";
    for (const std::string& part : parts)
        out += "\\" + part;
    if (parts.empty())
        out += "\\";
    return out;
}

int CopyOut(const std::string& text, char* buffer, int size) {
    if (size < 1)
        return 0;
    size_t n = text.size() < size_t(size - 1) ? text.size() : size_t(size - 1);
    memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return int(text.size());
}

std::string WindowsPath(const std::string& hostPath) {
    char real[PATH_MAX], root[PATH_MAX];
    if (!realpath(hostPath.c_str(), real) || !realpath(DriveRoot().c_str(), root))
        return "";
    size_t n = strlen(root);
    if (strncmp(real, root, n) != 0 || (real[n] != 0 && real[n] != '/'))
        return "";
    std::string windows = "C:\\";
    for (const char* c = real[n] ? real + n + 1 : real + n; *c; ++c)
        windows += *c == '/' ? '\\' : *c;
    return windows;
}

void SetDriveRoot(const std::string& hostFolder) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.driveRoot = hostFolder;
    while (s.driveRoot.size() > 1 && s.driveRoot.back() == '/')
        s.driveRoot.pop_back();
}

const std::string& DriveRoot() { return GetState().driveRoot; }

std::string HostPath(const char* windowsPath) {
    std::string full = FullPath(windowsPath);
    if (full.empty())
        return "";
    std::string host;
    {
        State& s = GetState();
        std::lock_guard<std::mutex> guard(s.lock);
        host = s.driveRoot;
    }
    size_t i = 3;
    while (i < full.size()) {
        size_t j = full.find('\\', i);
        if (j == std::string::npos)
            j = full.size();
        host = MatchComponent(host, full.substr(i, j - i));
        i = j + 1;
    }
    return host;
}

void SetModulePath(const std::string& windowsPath) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.modulePath = windowsPath;
}

std::vector<std::string> TakeCalls() {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    std::vector<std::string> calls;
    calls.swap(s.calls);
    return calls;
}

void Record(const std::string& line) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.calls.size() < kMaxCalls)
        s.calls.push_back(line);
}

void ScriptAnswer(int answer) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.answers.push_back(answer);
}

int TakeAnswer(int fallback) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.answers.empty())
        return fallback;
    int answer = s.answers.front();
    s.answers.pop_front();
    return answer;
}

void ScriptFileChoice(const std::string& name, int32_t filterIndex) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.fileChoices.push_back({name, filterIndex});
}

bool TakeFileChoice(FileChoice* choice) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.fileChoices.empty())
        return false;
    *choice = s.fileChoices.front();
    s.fileChoices.pop_front();
    return true;
}

void ScriptThreadStartFailures(int count) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.threadStartFailures = count;
}

void Reset() {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.calls.clear();
    s.answers.clear();
    s.fileChoices.clear();
    s.threadStartFailures = 0;
    s.writeLimit = -1;
    s.cutOffAtReplace = false;
    s.flushFails = false;
    s.flushesSkipped = false;
    s.processId = 0;
    s.processAlive.clear();
    s.modulePath = "C:\\app\\halden.exe";
    s.currentDirectory = "C:\\";
    s.documentsFolder = "C:\\Users\\tovan\\Documents";
    s.environment.clear();
    s.clipboard.clear();
    s.clipboardHasText = false;
    s.clipboardBusy = false;
    s.processScripts.clear();
    s.counterScripted = false;
    s.localTimeScripted = false;
    s.systemColors.clear();
}

void SetSystemColor(int index, uint32_t color) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.systemColors[index] = color;
}

}  // namespace tovan::os::headless

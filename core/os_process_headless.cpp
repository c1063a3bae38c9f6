#include "core/os.h"
#include "core/os_headless.h"
#include "core/os_headless_state.h"
#include "core/str.h"

#include <signal.h>
#include <spawn.h>
#include <unistd.h>
#include <sys/wait.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace tovan::os {

namespace {
std::string Upper(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        c = char(toupper(static_cast<unsigned char>(c)));
    return out;
}

// A file named with a drive, a folder or a UNC prefix lives on the virtual drive;
// a bare name is looked up on the host's PATH, as Windows searches its own.
bool IsBareName(const char* file) {
    for (const char* c = file; *c; ++c)
        if (IsPathSeparator(*c) || *c == ':')
            return false;
    return true;
}

bool Spawn(const char* file, const char* parameters, pid_t* pid) {
    bool bare = IsBareName(file);
    std::string program = bare ? std::string(file) : headless::HostPath(file);
    if (program.empty())
        return false;
    std::vector<std::string> args = headless::SplitCommandLine(parameters);
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    // Children start in the current directory of the virtual drive.
    char current[4096];
    CurrentDirectory(current, sizeof current);
    std::string hostCurrent = headless::HostPath(current);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!hostCurrent.empty())
        posix_spawn_file_actions_addchdir_np(&actions, hostCurrent.c_str());
    int error = bare ? posix_spawnp(pid, program.c_str(), &actions, nullptr, argv.data(), environ)
                     : posix_spawn(pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0;
}

bool WaitChild(pid_t pid, uint32_t* exitCode) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    if (WIFEXITED(status))
        *exitCode = uint32_t(WEXITSTATUS(status));
    else
        *exitCode = 0xC0000000u | uint32_t(WTERMSIG(status));  // like an NTSTATUS crash code
    return true;
}

bool TakeScript(headless::ProcessScript* script) {
    headless::State& s = headless::GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.processScripts.empty())
        return false;
    *script = s.processScripts.front();
    s.processScripts.pop_front();
    return true;
}
}  // namespace

bool RunAndWait(const char* file, const char* parameters, uint32_t* exitCode) {
    headless::Record(std::string("RunAndWait ") + (file ? file : "") + " " + (parameters ? parameters : ""));
    *exitCode = 0;
    headless::ProcessScript script;
    if (TakeScript(&script)) {
        *exitCode = script.exitCode;
        return script.starts;
    }
    pid_t pid;
    if (!file || !*file || !Spawn(file, parameters, &pid))
        return false;
    return WaitChild(pid, exitCode);
}

uint32_t CurrentProcessId() {
    headless::State& s = headless::GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.processId ? s.processId : uint32_t(getpid());
}

bool ProcessAlive(uint32_t processId) {
    {
        headless::State& s = headless::GetState();
        std::lock_guard<std::mutex> guard(s.lock);
        auto scripted = s.processAlive.find(processId);
        if (scripted != s.processAlive.end())
            return scripted->second;
    }
    // 0 and ids past the pid range would ask kill about whole process groups.
    if (processId == 0 || processId > uint32_t(INT32_MAX))
        return false;
    return kill(pid_t(processId), 0) == 0 || errno == EPERM;
}

bool ShellOpen(const char* file) {
    headless::Record(std::string("ShellOpen ") + (file ? file : ""));
    pid_t pid;
    if (!file || !*file || !Spawn(file, nullptr, &pid))
        return false;
    std::thread([pid] {  // reap it, so a caller that lives on leaves no zombie
        uint32_t ignored;
        WaitChild(pid, &ignored);
    })
        .detach();
    return true;
}

int EnvironmentVariable(const char* name, char* buffer, int size) {
    if (!name)
        return -1;
    headless::State& s = headless::GetState();
    std::string value;
    {
        std::lock_guard<std::mutex> guard(s.lock);
        auto found = s.environment.find(Upper(name));
        if (found == s.environment.end())
            return -1;
        value = found->second;
    }
    return headless::CopyOut(value, buffer, size);
}

}  // namespace tovan::os

namespace tovan::os::headless {

void SetEnvironment(const std::string& name, const std::string& value) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.environment[os::Upper(name)] = value;
}

void UnsetEnvironment(const std::string& name) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.environment.erase(os::Upper(name));
}

void SetProcessId(uint32_t id) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.processId = id;
}

void ScriptProcessAlive(uint32_t id, bool alive) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.processAlive[id] = alive;
}

void ScriptProcessExit(uint32_t exitCode) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.processScripts.push_back({true, exitCode});
}

void ScriptProcessStartFailure() {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.processScripts.push_back({false, 0});
}

// The rules of the C runtime's argument parser: blanks separate arguments outside
// quotes; 2n backslashes before a quote give n and the quote toggles quoting;
// 2n+1 give n and a literal quote; "" inside quotes is one literal quote;
// backslashes elsewhere are literal.
std::vector<std::string> SplitCommandLine(const char* parameters) {
    std::vector<std::string> args;
    if (!parameters)
        return args;
    const char* p = parameters;
    for (;;) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        std::string arg;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '\\') {
                size_t slashes = 0;
                while (*p == '\\') {
                    ++slashes;
                    ++p;
                }
                if (*p == '"') {
                    arg.append(slashes / 2, '\\');
                    if (slashes % 2) {
                        arg += '"';
                        ++p;
                    }
                } else {
                    arg.append(slashes, '\\');
                }
            } else if (*p == '"') {
                if (quoted && p[1] == '"') {
                    arg += '"';
                    p += 2;
                } else {
                    quoted = !quoted;
                    ++p;
                }
            } else {
                arg += *p++;
            }
        }
        args.push_back(arg);
    }
    return args;
}

}  // namespace tovan::os::headless

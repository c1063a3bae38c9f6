#include "core/os.h"
#include "core/os_headless.h"
#include "core/os_headless_state.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace tovan::os {

namespace {
struct HeadlessFile {
    int fd;
    std::string path;  // as opened, for the record of calls
};

const char* ModeName(FileMode mode) {
    static const char* const names[] = {"read", "create", "append"};
    return names[int(mode)];
}

// How much of a write the scripted disk space lets through.
uint32_t TakeWriteAllowance(uint32_t size) {
    headless::State& s = headless::GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.writeLimit < 0)
        return size;
    uint32_t allowed = s.writeLimit < int64_t(size) ? uint32_t(s.writeLimit) : size;
    s.writeLimit -= allowed;
    return allowed;
}

bool TakeFlushFailure() {
    headless::State& s = headless::GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    bool fails = s.flushFails;
    s.flushFails = false;
    return fails;
}

bool TakeCutOff() {
    headless::State& s = headless::GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    bool cut = s.cutOffAtReplace;
    s.cutOffAtReplace = false;
    return cut;
}

// The name itself, as a move sees it: a link is replaced, not what it points to.
bool IsReadOnlyOrFolder(const std::string& host) {
    struct stat st;
    return lstat(host.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR));
}
}  // namespace

void* FileOpen(const char* path, FileMode mode) {
    headless::Record(std::string("FileOpen ") + (path ? path : "") + " " + ModeName(mode));
    std::string host = headless::HostPath(path);
    if (host.empty())
        return nullptr;
    struct stat st;
    if (stat(host.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return nullptr;  // Win32 refuses to open a folder as a file
        if (mode != FileMode::Read && !(st.st_mode & S_IWUSR))
            return nullptr;  // read-only, even for root
    }
    static const int flags[] = {O_RDONLY, O_WRONLY | O_CREAT | O_TRUNC, O_WRONLY | O_CREAT | O_APPEND};
    int fd = open(host.c_str(), flags[int(mode)] | O_CLOEXEC, 0644);
    if (fd < 0)
        return nullptr;
    return new HeadlessFile{fd, path};
}

bool FileRead(void* file, void* buffer, uint32_t size, uint32_t* done) {
    HeadlessFile* f = static_cast<HeadlessFile*>(file);
    uint32_t total = 0;
    while (total < size) {
        ssize_t n = read(f->fd, static_cast<char*>(buffer) + total, size - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (done)
                *done = total;
            return n == 0;
        }
        total += uint32_t(n);
    }
    if (done)
        *done = total;
    return true;
}

bool FileWrite(void* file, const void* buffer, uint32_t size, uint32_t* done) {
    HeadlessFile* f = static_cast<HeadlessFile*>(file);
    uint32_t allowed = TakeWriteAllowance(size);
    uint32_t total = 0;
    while (total < allowed) {
        ssize_t n = write(f->fd, static_cast<const char*>(buffer) + total, allowed - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        total += uint32_t(n);
    }
    if (done)
        *done = total;
    return total == size;
}

bool FileSize(void* file, int64_t* size) {
    struct stat st;
    if (fstat(static_cast<HeadlessFile*>(file)->fd, &st) != 0)
        return false;
    *size = int64_t(st.st_size);
    return true;
}

void FileClose(void* file) {
    HeadlessFile* f = static_cast<HeadlessFile*>(file);
    if (!f)
        return;
    close(f->fd);
    delete f;
}

bool FileDelete(const char* path) {
    headless::Record(std::string("FileDelete ") + (path ? path : ""));
    std::string host = headless::HostPath(path);
    struct stat st;
    if (host.empty() || lstat(host.c_str(), &st) != 0)
        return false;
    uint32_t attributes = FileAttributes(path);
    if (attributes & (kAttrDirectory | kAttrReadOnly))
        return false;  // folders and folder links need FolderRemove; read-only files refuse
    return unlink(host.c_str()) == 0;
}

void* FileCreateNew(const char* path, const char* like) {
    headless::Record(std::string("FileCreateNew ") + (path ? path : ""));
    std::string host = headless::HostPath(path), model = headless::HostPath(like);
    if (host.empty())
        return nullptr;
    // From its first byte no more readable than the file it stands in for; the
    // owner keeps writing, so that a failed save can still remove it.
    mode_t mode = 0644;
    struct stat st;
    if (!model.empty() && stat(model.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        mode = (st.st_mode & 0777) | S_IWUSR;
    // The name matches an existing entry in any letter case, so O_EXCL refuses it as Windows does.
    int fd = open(host.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        return nullptr;
    return new HeadlessFile{fd, path};
}

bool FileFlush(void* file) {
    HeadlessFile* f = static_cast<HeadlessFile*>(file);
    headless::Record("FileFlush " + f->path);
    if (TakeFlushFailure())
        return false;
    return !headless::FlushesWait() || fsync(f->fd) == 0;
}

bool FileReplace(const char* from, const char* to) {
    headless::Record(std::string("FileReplace ") + (from ? from : "") + " " + (to ? to : ""));
    if (TakeCutOff())
        throw headless::CutOff{};
    std::string source = headless::HostPath(from), target = headless::HostPath(to);
    if (source.empty() || target.empty() || IsReadOnlyOrFolder(target))
        return false;  // a rename would take both, where Windows refuses
    struct stat st, replaced;
    if (lstat(source.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    const bool keepsBits = lstat(target.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode);
    if (keepsBits && chmod(source.c_str(), replaced.st_mode & 0777) != 0)
        return false;
    if (rename(source.c_str(), target.c_str()) == 0)
        return true;
    if (keepsBits)
        chmod(source.c_str(), st.st_mode & 0777);
    return false;
}

uint32_t FileAttributes(const char* path) {
    std::string host = headless::HostPath(path);
    struct stat st;
    if (host.empty() || lstat(host.c_str(), &st) != 0)
        return kAttrInvalid;
    uint32_t attributes = 0;
    if (S_ISLNK(st.st_mode)) {
        attributes |= kAttrReparsePoint;
        struct stat target;
        if (stat(host.c_str(), &target) == 0 && S_ISDIR(target.st_mode))
            attributes |= kAttrDirectory;
    } else if (S_ISDIR(st.st_mode)) {
        attributes |= kAttrDirectory;
    }
    if (!(st.st_mode & S_IWUSR))
        attributes |= kAttrReadOnly;
    return attributes ? attributes : 0x80;  // FILE_ATTRIBUTE_NORMAL
}

int ModuleFileName(char* buffer, int size) {
    headless::State& s = headless::GetState();
    std::string path;
    {
        std::lock_guard<std::mutex> guard(s.lock);
        path = s.modulePath;
    }
    return headless::CopyOut(path, buffer, size);
}

int CurrentDirectory(char* buffer, int size) {
    headless::State& s = headless::GetState();
    std::string path;
    {
        std::lock_guard<std::mutex> guard(s.lock);
        path = s.currentDirectory;
    }
    return headless::CopyOut(path, buffer, size);
}

bool SetCurrentDirectory(const char* path) {
    std::string full = headless::FullPath(path);
    uint32_t attributes = FileAttributes(full.c_str());
    if (full.empty() || attributes == kAttrInvalid || !(attributes & kAttrDirectory))
        return false;
    headless::State& s = headless::GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.currentDirectory = full;
    return true;
}

}  // namespace tovan::os

namespace tovan::os::headless {

void ScriptWriteLimit(int64_t bytes) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.writeLimit = bytes < 0 ? -1 : bytes;
}

void ScriptFlushFailure() {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.flushFails = true;
}

void SkipFlushes() {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.flushesSkipped = true;
}

bool FlushesWait() {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    return !s.flushesSkipped;
}

void ScriptCutOffAtReplace() {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.cutOffAtReplace = true;
}

}  // namespace tovan::os::headless

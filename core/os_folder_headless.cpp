#include "core/os.h"
#include "core/os_headless.h"
#include "core/os_headless_state.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace tovan::os {

namespace {
// A listing is taken whole at FindFirst and sorted by name, so that tests see
// one stable order (Windows gives no order either).
struct HeadlessFind {
    std::vector<FindEntry> entries;
    size_t next = 0;
};

bool IsWildcardAll(const std::string& pattern) { return pattern == "*" || pattern == "*.*"; }

bool SameLetter(char a, char b) {
    return tolower(static_cast<unsigned char>(a)) == tolower(static_cast<unsigned char>(b));
}

// '*' takes any run of characters, '?' one; letters match in any case.
bool MatchesPattern(const char* name, const char* pattern) {
    const char* star = nullptr;  // the last '*' seen, and where its run ends so far
    const char* resume = nullptr;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern && (*pattern == '?' || SameLetter(*pattern, *name))) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return !*pattern;
}

FindEntry MakeEntry(const char* name, uint32_t attributes, uint64_t lastWrite = 0) {
    FindEntry entry{};
    strncpy(entry.name, name, sizeof entry.name - 1);
    entry.attributes = attributes;
    entry.lastWrite = lastWrite;
    return entry;
}

// Whether a link stands anywhere on the way from the drive root to `host`.
bool PassesLink(const std::string& host) {
    for (size_t at = headless::DriveRoot().size() + 1; at <= host.size(); ++at) {
        struct stat st;
        if ((at == host.size() || host[at] == '/') && lstat(host.substr(0, at).c_str(), &st) == 0 &&
            S_ISLNK(st.st_mode))
            return true;
    }
    return false;
}

void SplitPattern(const std::string& full, std::string* folder, std::string* pattern) {
    size_t cut = full.find_last_of('\\');
    *folder = full.substr(0, cut);
    *pattern = full.substr(cut + 1);
    if (folder->size() == 2)  // "C:"
        *folder += "\\";
}
}  // namespace

bool FileSetAttributes(const char* path, uint32_t attributes) {
    headless::Record(std::string("FileSetAttributes ") + (path ? path : "") + " " + std::to_string(attributes));
    std::string host = headless::HostPath(path);
    struct stat st;
    if (host.empty() || stat(host.c_str(), &st) != 0)
        return false;
    mode_t mode = (attributes & kAttrReadOnly) ? (st.st_mode & ~mode_t(0222)) : (st.st_mode | S_IWUSR);
    return chmod(host.c_str(), mode) == 0;
}

void* FindFirst(const char* pattern, FindEntry* entry) {
    headless::Record(std::string("FindFirst ") + (pattern ? pattern : ""));
    std::string full = headless::FullPath(pattern);
    if (full.empty())
        return nullptr;
    std::string folder, wanted;
    SplitPattern(full, &folder, &wanted);
    std::string host = headless::HostPath(folder.c_str());
    DIR* dir = opendir(host.c_str());
    if (!dir)
        return nullptr;
    HeadlessFind* find = new HeadlessFind;
    while (dirent* d = readdir(dir)) {
        std::string name = d->d_name;
        if (name == "." || name == "..")
            continue;
        if (!IsWildcardAll(wanted) && !MatchesPattern(name.c_str(), wanted.c_str()))
            continue;
        std::string child = folder + (folder.back() == '\\' ? "" : "\\") + name;
        struct stat st;  // the entry itself, as Windows lists a link
        const uint64_t lastWrite = lstat((host + "/" + name).c_str(), &st) == 0
                                       ? headless::FileTimeOf(st.st_mtim.tv_sec, st.st_mtim.tv_nsec)
                                       : 0;
        find->entries.push_back(MakeEntry(name.c_str(), FileAttributes(child.c_str()), lastWrite));
    }
    closedir(dir);
    std::sort(find->entries.begin(), find->entries.end(), [](const FindEntry& a, const FindEntry& b) {
        int order = strcasecmp(a.name, b.name);
        return order != 0 ? order < 0 : strcmp(a.name, b.name) < 0;
    });
    if (IsWildcardAll(wanted) && folder.size() > 3) {  // every folder but a drive root lists itself and its parent
        find->entries.insert(find->entries.begin(), {MakeEntry(".", kAttrDirectory), MakeEntry("..", kAttrDirectory)});
    }
    if (find->entries.empty()) {
        delete find;
        return nullptr;
    }
    *entry = find->entries[0];
    find->next = 1;
    return find;
}

bool FindNext(void* find, FindEntry* entry) {
    HeadlessFind* f = static_cast<HeadlessFind*>(find);
    if (!f || f->next >= f->entries.size())
        return false;
    *entry = f->entries[f->next++];
    return true;
}

void FindClose(void* find) { delete static_cast<HeadlessFind*>(find); }

FolderCreated FolderCreate(const char* path) {
    headless::Record(std::string("FolderCreate ") + (path ? path : ""));
    std::string host = headless::HostPath(path);
    if (host.empty())
        return FolderCreated::Failed;
    if (mkdir(host.c_str(), 0755) == 0)
        return FolderCreated::Created;
    return errno == EEXIST ? FolderCreated::Exists : FolderCreated::Failed;
}

bool FolderRemove(const char* path) {
    headless::Record(std::string("FolderRemove ") + (path ? path : ""));
    std::string host = headless::HostPath(path);
    struct stat st;
    if (host.empty() || lstat(host.c_str(), &st) != 0)
        return false;
    if (S_ISLNK(st.st_mode)) {
        uint32_t attributes = FileAttributes(path);
        return (attributes & kAttrDirectory) && unlink(host.c_str()) == 0;
    }
    return S_ISDIR(st.st_mode) && rmdir(host.c_str()) == 0;
}

void FolderFlush(const char* folder) {
    headless::Record(std::string("FolderFlush ") + (folder ? folder : ""));
    std::string host = headless::HostPath(folder);
    int fd = host.empty() || !headless::FlushesWait() ? -1 : open(host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

bool IsLink(const char* path) {
    std::string host = headless::HostPath(path);
    struct stat st;
    return !host.empty() && lstat(host.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

int ResolveLink(const char* path, char* buffer, int size) {
    if (!path)
        return 0;
    std::string host = headless::HostPath(path);
    if (host.empty() || !PassesLink(host))
        return headless::CopyOut(path, buffer, size);
    for (int hop = 0; hop <= kLinkHops; ++hop) {
        // The folder with every link on its way followed; the name may be one more.
        const size_t cut = host.find_last_of('/');
        const std::string name = host.substr(cut + 1);
        char folder[PATH_MAX];
        if (!realpath(host.substr(0, cut).c_str(), folder))
            return 0;  // a missing folder, or a folder link that leads nowhere
        host = std::string(folder) + "/" + name;
        std::string windows;
        struct stat st;
        if (lstat(host.c_str(), &st) != 0) {
            if (hop > 0)
                return 0;                             // dangling
            windows = headless::WindowsPath(folder);  // a new file
            if (!windows.empty())
                windows += (windows.back() == '\\' ? "" : "\\") + name;
        } else if (!S_ISLNK(st.st_mode)) {
            windows = headless::WindowsPath(host);
        } else if (hop < kLinkHops) {
            char target[4096];
            ssize_t n = readlink(host.c_str(), target, sizeof target);
            if (n <= 0 || size_t(n) >= sizeof target)
                return 0;
            target[n] = 0;
            // A relative target is taken against the folder that holds the link.
            host = target[0] == '/' ? std::string(target) : std::string(folder) + "/" + target;
            continue;
        }
        return windows.empty() ? 0 : headless::CopyOut(windows, buffer, size);  // outside the drive: 0
    }
    return 0;  // a loop, or too long a chain
}

int DocumentsFolder(char* buffer, int size) {
    headless::State& s = headless::GetState();
    std::string path;
    {
        std::lock_guard<std::mutex> guard(s.lock);
        path = s.documentsFolder;
    }
    return headless::CopyOut(path, buffer, size);
}

}  // namespace tovan::os

namespace tovan::os::headless {

void SetDocumentsFolder(const std::string& windowsPath) {
    State& s = GetState();
    std::lock_guard<std::mutex> guard(s.lock);
    s.documentsFolder = windowsPath;
}

}  // namespace tovan::os::headless

#include "core/os.h"
#include "core/os_headless.h"
#include "core/os_headless_state.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

FindEntry MakeEntry(const char* name, uint32_t attributes) {
    FindEntry entry{};
    strncpy(entry.name, name, sizeof entry.name - 1);
    entry.attributes = attributes;
    return entry;
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
        if (!IsWildcardAll(wanted) && strcasecmp(name.c_str(), wanted.c_str()) != 0)
            continue;
        std::string child = folder + (folder.back() == '\\' ? "" : "\\") + name;
        find->entries.push_back(MakeEntry(name.c_str(), FileAttributes(child.c_str())));
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

bool IsLink(const char* path) {
    std::string host = headless::HostPath(path);
    struct stat st;
    return !host.empty() && lstat(host.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
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

#include "core/os.h"
#include "core/str.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

namespace tovan::os {

namespace {
void CopyEntry(const WIN32_FIND_DATAA& data, FindEntry* entry) {
    memcpy(entry->name, data.cFileName, sizeof entry->name);
    entry->name[sizeof entry->name - 1] = 0;
    entry->attributes = data.dwFileAttributes;
    entry->lastWrite = uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
}

// As the Win32 getters fill a buffer: at most size - 1 characters and a
// terminator; returns the full length.
int CopyOut(const char* text, char* buffer, int size) {
    size_t length = strlen(text);
    size_t n = length < size_t(size - 1) ? length : size_t(size - 1);
    memcpy(buffer, text, n);
    buffer[n] = 0;
    return int(length);
}
}  // namespace

bool FileSetAttributes(const char* path, uint32_t attributes) { return SetFileAttributesA(path, attributes) != 0; }

void* FindFirst(const char* pattern, FindEntry* entry) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern, &data);
    if (find == INVALID_HANDLE_VALUE)
        return nullptr;
    CopyEntry(data, entry);
    return find;
}

bool FindNext(void* find, FindEntry* entry) {
    WIN32_FIND_DATAA data;
    if (!find || !FindNextFileA(static_cast<HANDLE>(find), &data))
        return false;
    CopyEntry(data, entry);
    return true;
}

void FindClose(void* find) {
    if (find)
        ::FindClose(static_cast<HANDLE>(find));
}

FolderCreated FolderCreate(const char* path) {
    if (CreateDirectoryA(path, nullptr))
        return FolderCreated::Created;
    return GetLastError() == ERROR_ALREADY_EXISTS ? FolderCreated::Exists : FolderCreated::Failed;
}

bool FolderRemove(const char* path) { return RemoveDirectoryA(path) != 0; }

void FolderFlush(const char*) {}  // MoveFileEx writes the move through itself

bool IsLink(const char* path) {
    if (!path || strpbrk(path, "*?"))
        return false;
    // The entry itself, not what a trailing separator would open ("C:\" stays whole).
    size_t n = strlen(path);
    while (n > 1 && IsPathSeparator(path[n - 1]) && path[n - 2] != ':')
        --n;
    char entry[MAX_PATH];
    if (n == 0 || n >= sizeof entry)
        return false;
    memcpy(entry, path, n);
    entry[n] = 0;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(entry, &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(find);
    // Other reparse points (cloud placeholders, deduplicated files) hold their own content.
    return (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(data.dwReserved0);
}

int ResolveLink(const char* path, char* buffer, int size) {
    if (!path || size < 1)
        return 0;
    buffer[0] = 0;
    if (!IsLink(path))
        return CopyOut(path, buffer, size);
    // Opening follows the whole chain: the system refuses loops and chains of
    // more than 63 links, and a dangling link opens nothing.
    HANDLE entry = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (entry == INVALID_HANDLE_VALUE)
        return 0;
    char final[2 * MAX_PATH];
    DWORD n = GetFinalPathNameByHandleA(entry, final, DWORD(sizeof final), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(entry);
    if (n == 0 || n >= sizeof final)
        return 0;
    // The answer comes in the long form: \\?\C:\x is C:\x, \\?\UNC\host\x is \\host\x.
    char* text = final;
    if (strncmp(text, "\\\\?\\UNC\\", 8) == 0) {
        text += 6;
        text[0] = '\\';
    } else if (strncmp(text, "\\\\?\\", 4) == 0) {
        text += 4;
    }
    return CopyOut(text, buffer, size);
}

int DocumentsFolder(char* buffer, int size) {
    char path[MAX_PATH];
    if (size < 1)
        return 0;
    buffer[0] = 0;
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, 0, path)))
        return 0;
    return CopyOut(path, buffer, size);
}

}  // namespace tovan::os

#include "core/os.h"

#include <windows.h>
#undef SetCurrentDirectory  // the seam's own name, not the A/W macro

namespace tovan::os {

void* FileOpen(const char* path, FileMode mode) {
    DWORD access = mode == FileMode::Read ? GENERIC_READ : GENERIC_WRITE;
    DWORD share = FILE_SHARE_READ;
    DWORD disposition = mode == FileMode::Read ? OPEN_EXISTING : mode == FileMode::Create ? CREATE_ALWAYS : OPEN_ALWAYS;
    HANDLE file = CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    if (mode == FileMode::Append)
        SetFilePointer(file, 0, nullptr, FILE_END);
    return file;
}

bool FileRead(void* file, void* buffer, uint32_t size, uint32_t* done) {
    DWORD got = 0;
    BOOL ok = ReadFile(static_cast<HANDLE>(file), buffer, size, &got, nullptr);
    if (done)
        *done = got;
    return ok != 0;
}

bool FileWrite(void* file, const void* buffer, uint32_t size, uint32_t* done) {
    DWORD put = 0;
    BOOL ok = WriteFile(static_cast<HANDLE>(file), buffer, size, &put, nullptr);
    if (done)
        *done = put;
    return ok != 0;
}

bool FileSize(void* file, int64_t* size) {
    LARGE_INTEGER value;
    if (!GetFileSizeEx(static_cast<HANDLE>(file), &value))
        return false;
    *size = value.QuadPart;
    return true;
}

void FileClose(void* file) {
    if (file)
        CloseHandle(static_cast<HANDLE>(file));
}

bool FileDelete(const char* path) { return DeleteFileA(path) != 0; }

void* FileCreateNew(const char* path, const char* /*like: FileReplace carries its attributes*/) {
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

bool FileFlush(void* file) { return FlushFileBuffers(static_cast<HANDLE>(file)) != 0; }

bool FileReplace(const char* from, const char* to) {
    // Checked here as well: not every system's move refuses a read-only target.
    DWORD attributes = GetFileAttributesA(to);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    // A move keeps the moved file's own attributes; it takes those of the file it replaces.
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    DWORD moved = GetFileAttributesA(from);
    bool carry = attributes != INVALID_FILE_ATTRIBUTES && moved != INVALID_FILE_ATTRIBUTES && (attributes & kept);
    if (carry)
        SetFileAttributesA(from, (moved & ~(kept | FILE_ATTRIBUTE_NORMAL)) | (attributes & kept));
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (carry)
        SetFileAttributesA(from, moved);
    return false;
}

uint32_t FileAttributes(const char* path) { return GetFileAttributesA(path); }

int ModuleFileName(char* buffer, int size) {
    if (size < 1)
        return 0;
    DWORD n = GetModuleFileNameA(nullptr, buffer, DWORD(size));
    buffer[size - 1] = 0;
    return int(n);
}

int CurrentDirectory(char* buffer, int size) {
    if (size < 1)
        return 0;
    DWORD n = GetCurrentDirectoryA(DWORD(size), buffer);
    if (n >= DWORD(size))  // too small: Win32 returns the size needed, with the terminator
        return int(n - 1);
    return int(n);
}

bool SetCurrentDirectory(const char* path) { return SetCurrentDirectoryA(path) != 0; }

}  // namespace tovan::os

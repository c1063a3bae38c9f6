// The seam between the framework and the operating system. Below the Win32
// layer, every OS call that both builds make goes through these functions: the
// Win32 build implements them with the ANSI Win32 functions (os_*_win32.cpp),
// the native build with a headless double (os_*_headless.cpp) that never blocks,
// records what it was asked and answers what a test scripted (core/os_headless.h).
// Code that only makes sense with real windows (the log window's dialog
// procedure, the Win32 layer in win32/) calls Win32 itself, only from files
// ending _win32.cpp; where the native build needs the same function, a
// _headless.cpp peer stands in for it.
// Handles cross the seam as void*; paths are Windows-form in both builds.
#pragma once
#include <cstdint>

namespace tovan::os {

// --- threads and time -------------------------------------------------------
using ThreadProc = void (*)(void* argument);
void* ThreadStart(ThreadProc procedure, void* argument);  // created suspended, then resumed
void ThreadWait(void* handle);
void ThreadClose(void* handle);
uint32_t CurrentThreadId();
void Sleep(uint32_t milliseconds);

// A plain, non-recursive mutex for sections a few instructions long: a thread
// that finds it held spins briefly before it sleeps. Creation never fails.
void* LockCreate();
void LockDestroy(void* lock);
void LockEnter(void* lock);
bool LockTryEnter(void* lock);  // false while any thread holds it
void LockLeave(void* lock);

// The performance counter in ticks, and its ticks per second.
int64_t PerformanceCounter();
int64_t PerformanceFrequency();
// Calendar time as the system gives it; dayOfWeek 0 is Sunday, month 1 January.
struct DateTime {
    uint16_t year, month, dayOfWeek, day, hour, minute, second, milliseconds;
};
void LocalTime(DateTime* time);
// The current time in units of 100 ns since 1601 (UTC), as files are stamped.
uint64_t SystemFileTime();

// --- files ------------------------------------------------------------------
enum class FileMode { Read, Create, Append };  // Create truncates; Append opens or creates, at the end

void* FileOpen(const char* path, FileMode mode);  // null on failure
bool FileRead(void* file, void* buffer, uint32_t size, uint32_t* done);
bool FileWrite(void* file, const void* buffer, uint32_t size, uint32_t* done);
bool FileSize(void* file, int64_t* size);
void FileClose(void* file);
bool FileDelete(const char* path);

constexpr uint32_t kAttrInvalid = 0xFFFFFFFFu;
constexpr uint32_t kAttrReadOnly = 0x1;
constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrReparsePoint = 0x400;
uint32_t FileAttributes(const char* path);  // kAttrInvalid when absent

// Writes at most size - 1 characters and a terminator; returns the full length
// (which may exceed the buffer, as the Win32 functions do), 0 on failure.
int ModuleFileName(char* buffer, int size);
int CurrentDirectory(char* buffer, int size);
bool SetCurrentDirectory(const char* path);

// --- folders ----------------------------------------------------------------
constexpr uint32_t kAttrNormal = 0x80;
bool FileSetAttributes(const char* path, uint32_t attributes);

// One entry of a folder listing: "." and ".." come as they do on Windows.
struct FindEntry {
    char name[260];
    uint32_t attributes;
    uint64_t lastWrite;  // as SystemFileTime
};
void* FindFirst(const char* pattern, FindEntry* entry);  // null when nothing matches
bool FindNext(void* find, FindEntry* entry);
void FindClose(void* find);

enum class FolderCreated { Created, Exists, Failed };  // Exists: the name is taken (by a folder or a file)
FolderCreated FolderCreate(const char* path);
bool FolderRemove(const char* path);  // an empty folder, or a link to a folder (only the link)
// A symbolic link or junction: a name that stands for a folder or file elsewhere.
bool IsLink(const char* path);
// The entry that `path` stands for once its links are followed, chains and
// links relative to their own folder included, as ModuleFileName fills a
// buffer. A path that passes no link comes back as it is. 0 when the chain ends
// at nothing (a dangling link), loops, or passes kLinkHops links (on Windows the
// system's own bound). Natively the links of its folders are followed too (a
// new file's name is kept in the folder they lead to), and 0 also means that
// they lead out of the drive; on Windows only the path's own name is looked at,
// as the system follows folder links itself.
constexpr int kLinkHops = 32;
int ResolveLink(const char* path, char* buffer, int size);
int DocumentsFolder(char* buffer, int size);  // as ModuleFileName; 0 when the system has none

// --- processes and the desktop ------------------------------------------------
// Starts a program or document hidden and waits for it; false when it could not
// be started or waited for.
bool RunAndWait(const char* file, const char* parameters, uint32_t* exitCode);
uint32_t CurrentProcessId();
// False for an id that no running process has; a process of another user counts.
bool ProcessAlive(uint32_t processId);
bool ShellOpen(const char* file);                                   // starts without waiting, shown normally
int EnvironmentVariable(const char* name, char* buffer, int size);  // as ModuleFileName; -1 when unset
// Clipboard text (CF_TEXT), opened with the given owner window.
bool ClipboardSetText(void* owner, const char* text, uint32_t length);
int ClipboardGetText(void* owner, char* buffer, int size);  // as ModuleFileName; -1 when none

// --- windows the application made -------------------------------------------
// Kills the window's timer (unless timerId is -1), then destroys the window.
void WindowDestroy(void* window, intptr_t timerId);
// Outer size of `window` for a client area of the given size (its style and
// extended style, no menu). Natively windows have no frame.
void WindowSizeForClient(void* window, int clientWidth, int clientHeight, int* width, int* height);
// A colour of the system's scheme (GetSysColor): red in the low byte, then green
// and blue. Natively the classic scheme's values, unless a test set its own.
constexpr int kColorButtonFace = 15;    // COLOR_BTNFACE
constexpr int kColorButtonShadow = 16;  // COLOR_BTNSHADOW
uint32_t SystemColor(int index);

// --- mouse capture ------------------------------------------------------------
// The window gets every mouse message until the capture is released, also
// while the cursor is outside it (a drag that leaves the window).
void MouseCapture(void* window);
void MouseRelease();

// --- text -------------------------------------------------------------------
// Converts a 0-terminated text of the process code page to UTF-16, terminator
// included. Returns the units written, or with out null the units needed; 0 on
// failure (null text, buffer too small). Natively each byte widens to one unit.
int AnsiToWide(const char* text, uint16_t* out, int outUnits);

// --- whole-file replacement ---------------------------------------------------
// A save writes a temporary beside its target and moves it over the target once
// every byte is down, so that a failed save leaves the old file whole.

// Creates a file for writing that must not exist yet; null when the name is
// taken (nothing of that name is touched) or the file cannot be made. Natively
// it is readable by no one who cannot read the file `like` (a new file's bits
// when there is none); on Windows it gets the folder's access list, and the
// hidden and system attributes of `like` follow at FileReplace.
void* FileCreateNew(const char* path, const char* like);
// Writes what the system holds of a file's data through to the disk.
bool FileFlush(void* file);
// Moves a file onto another name in one step, replacing a file there (written
// through to the disk on Windows); the moved file takes the permission bits of
// the one it replaces (on Windows its hidden and system attributes). False, with
// both files as they were, when the target is read-only or a folder, or the
// move fails.
bool FileReplace(const char* from, const char* to);
// Writes a folder's entries through to the disk, so that a move into it lasts.
// Natively an fsync of the folder; on Windows nothing, as its moves are
// written through. The move is done by then, so a failure changes nothing.
void FolderFlush(const char* folder);

}  // namespace tovan::os

#include "io/whole_save.h"

#include "core/os.h"
#include "io/io_state.h"

#include <atomic>
#include <cstring>

namespace tovan {

namespace {

constexpr char kMark[] = ".~tmp";
constexpr int kMarkLength = int(sizeof kMark) - 1;
constexpr int kLongestSuffix = kMarkLength + 10 + 1 + 10;  // two 32-bit numbers and the dash
// A taken name (a leftover of an ended process that had our id, a user's file)
// is passed over; this many in a row end the save.
constexpr int kSaveTries = 64;
// A process id names a process of one machine only: a leftover this young may
// be the live temporary of another machine's save into a shared folder.
constexpr uint64_t kLeftoverAge = 60 * uint64_t(10000000);  // a minute in file-time units

std::atomic<uint32_t> g_SaveNumber{0};

int NameStart(const char* path, int length) {
    while (length > 0 && !IsPathSeparator(path[length - 1]))
        --length;
    return length;
}

// The part of the target that its temporaries begin with: all of it, or the
// name cut so that the longest temporary stays within the path limit.
int KeptLength(const char* target) {
    const int length = TextLength(target), nameStart = NameStart(target, length);
    const int room = kSavePathLimit - kLongestSuffix;
    return length <= room ? length : room > nameStart ? room : nameStart;
}

// A number as SaveTemporaryName writes it: digits without a leading zero that
// fit 32 bits. Returns where it ends, null when there is none.
const char* ReadNumber(const char* text, uint32_t* value) {
    if (!IsAsciiDigit(text[0]) || (text[0] == '0' && IsAsciiDigit(text[1])))
        return nullptr;
    uint64_t number = 0;
    for (; IsAsciiDigit(*text); ++text) {
        number = number * 10 + uint64_t(*text - '0');
        if (number > UINT32_MAX)
            return nullptr;
    }
    *value = uint32_t(number);
    return text;
}

// The process that left a temporary named `entry`, for a target whose name
// part the temporaries keep is `kept`; false for every other name.
bool LeftoverOf(const char* entry, const cStr& kept, uint32_t* process) {
    if (CompareStringsNoCase(entry, kept.GetText(), kept.Length()) != 0)
        return false;
    entry += kept.Length();
    if (strncmp(entry, kMark, kMarkLength) != 0)
        return false;
    uint32_t number = 0;
    const char* rest = ReadNumber(entry + kMarkLength, process);
    rest = rest && *rest == '-' ? ReadNumber(rest + 1, &number) : nullptr;
    return rest && *rest == 0;
}

// Removes the temporaries of `file` whose process has ended and that nothing
// wrote for a minute (a folder of such a name refuses). Those of this process
// are left alone: a save on another thread may be writing them.
void RemoveLeftovers(const char* file) {
    const int nameStart = NameStart(file, TextLength(file));
    const cStr folder(file, nameStart), kept(file + nameStart, KeptLength(file) - nameStart);
    cStr pattern = folder + kept;
    pattern += kMark;
    pattern += "*";
    os::FindEntry entry;
    void* find = os::FindFirst(pattern.GetText(), &entry);
    if (!find)
        return;
    cList<cStr> ended;
    const uint32_t self = os::CurrentProcessId();
    const uint64_t now = os::SystemFileTime();
    do {
        uint32_t process = 0;
        const bool old = entry.lastWrite < now && now - entry.lastWrite > kLeftoverAge;  // a clock ahead: young
        if (old && LeftoverOf(entry.name, kept, &process) && process != self && !os::ProcessAlive(process))
            ended.PushBack(folder + entry.name);
    } while (os::FindNext(find, &entry));
    os::FindClose(find);
    for (const cStr& name : ended)
        os::FileDelete(name.GetText());
}

}  // namespace

cStr SaveTemporaryName(const char* target, uint32_t process, uint32_t number) {
    cStr name(target, KeptLength(target));
    name.AppendFormat("%s%u-%u", kMark, process, number);
    return name;
}

bool SaveWhole(const char* target, const uint8_t* data, int32_t length) {
    // The file a link leads to is replaced, so that the link stays a link.
    cStr file = TextFromOs([target](char* buffer, int size) { return os::ResolveLink(target, buffer, size); });
    if (file.IsEmpty())
        return false;  // a dangling link, a loop of links, or a way out of the drive
    for (int tries = 0; tries < kSaveTries; ++tries) {
        cStr temporary = SaveTemporaryName(file.GetText(), os::CurrentProcessId(), g_SaveNumber++);
        void* handle = os::FileCreateNew(temporary.GetText(), file.GetText());
        if (!handle) {
            if (os::FileAttributes(temporary.GetText()) != os::kAttrInvalid)
                continue;
            return false;  // the folder is missing or takes no new files
        }
        uint32_t done = 0;
        // On the disk before the replace: a crash could otherwise put the rename
        // there first, and the old file's name over data that never arrived.
        bool written =
            (length == 0 || (os::FileWrite(handle, data, uint32_t(length), &done) && done == uint32_t(length))) &&
            os::FileFlush(handle);
        os::FileClose(handle);
        if (written && os::FileReplace(temporary.GetText(), file.GetText())) {
            os::FolderFlush(cStr(file.GetText(), NameStart(file.GetText(), file.Length())).GetText());
            RemoveLeftovers(file.GetText());
            return true;
        }
        os::FileDelete(temporary.GetText());
        return false;
    }
    return false;
}

}  // namespace tovan

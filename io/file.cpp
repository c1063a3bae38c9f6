#include "core/log.h"
#include "core/os.h"
#include "io/io.h"
#include "io/io_state.h"
#include "io/whole_save.h"

#include <cstdint>
#include <utility>

namespace tovan {

namespace {

bool EndsWithSeparator(const char* path) {
    int length = TextLength(path);
    return length > 0 && IsPathSeparator(path[length - 1]);
}
}  // namespace

bool cIO::ReadFile(const char* name, cStream& out) {
    out.Clear();
    out.m_Name.SetText("");
    cStr path = ResolvePath(name);
    cStr twin = path;
    if (RedirectToWriteFolder(twin) && ReadDiskFile(twin.GetText(), out))
        return true;
    return ReadDiskFile(path.GetText(), out);
}

bool cIO::ReadDiskFile(const char* path, cStream& out) {
    cStr opened;
    opened.SetText(path);
    opened.Replace("/", "\\", opened.Length());
    void* file = os::FileOpen(opened.GetText(), os::FileMode::Read);
    if (!file)
        return false;
    // A cList counts in 32 bits: 2 GiB and more cannot be held, so it is refused.
    int64_t size = 0;
    bool ok = os::FileSize(file, &size) && size >= 0 && size <= INT32_MAX;
    cList<uint8_t> bytes;
    if (ok && size > 0) {
        bytes.Resize(int32_t(size), 0);
        uint32_t done = 0;
        ok = os::FileRead(file, bytes.At(0), uint32_t(size), &done) && done == uint32_t(size);
    }
    os::FileClose(file);
    if (!ok)
        return false;
    out.m_Bytes = std::move(bytes);
    out.m_Position = 0;
    out.m_Name = opened;
    return true;
}

bool cIO::WriteFile(const char* path, const uint8_t* data, int32_t length, bool append) {
    if (!path || !data || length < 0 || !IsAbsolute(path) || EndsWithSeparator(path))
        return false;
    cStr target;
    target.SetText(path);
    RedirectToWriteFolder(target);
    target.Replace("/", "\\", target.Length());
    if (!append)
        return SaveWhole(target.GetText(), data, length);
    // Appends (the log file) grow the file in place.
    void* file = os::FileOpen(target.GetText(), os::FileMode::Append);
    if (!file)
        return false;
    uint32_t done = 0;
    bool written = os::FileWrite(file, data, uint32_t(length), &done) && done == uint32_t(length);
    os::FileClose(file);
    os::FileSetAttributes(target.GetText(), os::kAttrNormal);
    return written;
}

bool cIO::SaveFile(const char* name, const uint8_t* data, int32_t length, bool append, bool report) {
    Init();
    if (!name || !data)
        return false;
    bool saved = false;
    if (IsAbsolute(name)) {
        saved = WriteFile(name, data, length, append);
    } else {
        IoState& io = GetIoState();
        for (int i = 0; i < io.sources.Count() && !saved; ++i)
            saved = (*io.sources.At(i))->Save(name, data, length, append);
    }
    if (!saved && report)
        Warning("Can't save file \"%s\"", name);
    return saved;
}

bool cIO::ReadFromSources(const char* name, cStream& out) {
    Init();
    if (IsAbsolute(name))
        return ReadFile(name, out);
    IoState& io = GetIoState();
    for (int i = 0; i < io.sources.Count(); ++i)
        if ((*io.sources.At(i))->Load(name, out))
            return true;
    return false;
}

}  // namespace tovan

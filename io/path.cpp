#include "io/io.h"
#include "io/io_state.h"

namespace tovan {

bool cIO::IsAbsolute(const char* path) {
    if (!path || !path[0] || !path[1])
        return false;
    return (IsAsciiLetter(path[0]) && path[1] == ':') || (IsPathSeparator(path[0]) && IsPathSeparator(path[1]));
}

bool cIO::IsUrl(const char* name) {
    static const char* const kPrefixes[] = {"http://", "https://", "ftp://"};
    int length = TextLength(name);
    for (const char* prefix : kPrefixes) {
        int n = TextLength(prefix);
        if (length >= n && CompareStringsNoCase(name, prefix, n) == 0)
            return true;
    }
    return false;
}

cStr cIO::ResolvePath(const char* name) {
    Init();
    cStr path;
    if (IsUrl(name)) {
        path.SetText(name);
        return path;
    }
    if (name && name[0] == '~') {
        path = GetDocumentsFolder();
        path.AppendPath(name + 1);
    } else {
        path.SetText(name);
    }
    if (!IsAbsolute(path.GetText())) {
        cStr joined = *GetBaseFolder();
        joined.AppendPath(path.GetText());
        path = joined;
    }
    path.Replace("/", "\\", path.Length());
    return path;
}

bool cIO::RedirectToWriteFolder(cStr& path) {
    Init();
    IoState& io = GetIoState();
    const cStr& writeRoot = *io.folderSource->WriteRoot();
    if (writeRoot.Length() == 0)
        return false;
    cStr resolved = ResolvePath(path.GetText());
    const cStr& base = *GetBaseFolder();
    cStr twinRoot = ResolvePath(writeRoot.GetText());
    if (ComparePaths(resolved.GetText(), base.GetText(), base.Length()) != 0 ||
        ComparePaths(resolved.GetText(), twinRoot.GetText(), twinRoot.Length()) == 0)
        return false;
    cStr twin = writeRoot;
    twin.AppendPath(resolved.GetText() + base.Length());
    path = ResolvePath(twin.GetText());
    return true;
}

}  // namespace tovan

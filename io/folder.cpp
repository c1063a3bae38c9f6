#include "core/log.h"
#include "core/os.h"
#include "io/folder_guard.h"
#include "io/io.h"
#include "io/io_state.h"

namespace tovan {

namespace {
bool DeleteOne(const char* path) {
    os::FileSetAttributes(path, os::kAttrNormal);
    return os::FileDelete(path);
}

// A link or junction is removed itself: its target lies outside the tree, and
// following it could loop for ever.
bool RemoveTree(const cStr& folder) {
    if (os::IsLink(folder.GetText()))
        return os::FolderRemove(folder.GetText());
    cList<cStr> entries;
    cIO::ListFiles(folder.GetText(), entries);
    for (int i = 0; i < entries.Count(); ++i)
        cIO::DeleteFile(entries.At(i)->GetText());
    cIO::ListFolders(folder.GetText(), entries);
    for (int i = 0; i < entries.Count(); ++i)
        cIO::RemoveFolder(entries.At(i)->GetText());
    return os::FolderRemove(folder.GetText());
}

// Lists a folder as ListFiles/ListFolders do, then adds what only its write-folder twin holds.
void ListWithTwin(const char* folder, cList<cStr>& out, bool folders) {
    cStr resolved = cIO::ResolvePath(folder);
    cIO::ListFolder(resolved.GetText(), folder, out, folders);
    cStr twin = resolved;
    if (!cIO::RedirectToWriteFolder(twin))
        return;
    cList<cStr> extra;
    cIO::ListFolder(twin.GetText(), twin.GetText(), extra, folders);
    for (int i = 0; i < extra.Count(); ++i) {
        cStr entry;
        entry.SetText(folder);
        entry.AppendPath(extra.At(i)->GetText() + twin.Length());
        bool known = false;
        for (int j = 0; j < out.Count() && !known; ++j)
            known = ComparePaths(out.At(j)->GetText(), entry.GetText(), -1) == 0;
        if (!known)
            out.PushBack(entry);
    }
}
}  // namespace

bool cIO::CreateFolders(const char* path) {
    cStr full = ResolvePath(path);
    if (full.GetExtension().Length() > 0) {  // names a file: make its folder
        int cut = 0;
        for (int i = full.Length() - 1; i >= 1 && cut == 0; --i)
            if (IsPathSeparator(full.GetText()[i]))
                cut = i;
        full.Assign(full.GetText(), 0, cut);
    }
    RedirectToWriteFolder(full);
    cList<cStr> parts;
    SplitString(full.GetText(), parts, "\\");
    if (parts.Count() == 0)
        return false;
    cStr made;
    if (full.Length() >= 2 && full.GetText()[0] == '\\' && full.GetText()[1] == '\\')
        made.SetText("\\\\");
    made.Append(parts.At(0)->GetText());  // a drive or a server: never created
    for (int i = 1; i < parts.Count(); ++i) {
        made.AppendPath(parts.At(i)->GetText());
        os::FolderCreated result = os::FolderCreate(made.GetText());
        if (result == os::FolderCreated::Failed)
            return false;
        // The name may be taken by a file, which Windows reports as "already exists".
        if (result == os::FolderCreated::Exists && !(os::FileAttributes(made.GetText()) & os::kAttrDirectory))
            return false;
    }
    return true;
}

void cIO::ListFolder(const char* folder, const char* prefix, cList<cStr>& out, bool folders) {
    out.Resize(0, cStr());
    cStr remembered = TextFromOs(os::CurrentDirectory);
    if (!os::SetCurrentDirectory(folder))
        return;
    os::FindEntry entry;
    if (void* find = os::FindFirst("*.*", &entry)) {
        do {
            bool isFolder = (entry.attributes & os::kAttrDirectory) != 0;
            if (isFolder != folders || CompareStrings(entry.name, ".", -1) == 0 ||
                CompareStrings(entry.name, "..", -1) == 0)
                continue;
            cStr path;
            path.SetText(prefix);
            path.AppendPath(entry.name);
            out.PushBack(path);
        } while (os::FindNext(find, &entry));
        os::FindClose(find);
    }
    os::SetCurrentDirectory(remembered.GetText());
}

void cIO::ListFiles(const char* folder, cList<cStr>& out) { ListWithTwin(folder, out, false); }

void cIO::ListFolders(const char* folder, cList<cStr>& out) { ListWithTwin(folder, out, true); }

void cIO::ListFilesRecursive(const char* folder, cList<cStr>& out) {
    ListFiles(folder, out);
    cList<cStr> subFolders;
    ListFolders(folder, subFolders);
    cList<cStr> below;
    for (int i = 0; i < subFolders.Count(); ++i) {
        // A link or junction is not followed: its folder lies elsewhere, and one
        // pointing back up the tree would make the listing endless.
        if (os::IsLink(ResolvePath(subFolders.At(i)->GetText()).GetText()))
            continue;
        ListFilesRecursive(subFolders.At(i)->GetText(), below);
        for (int j = 0; j < below.Count(); ++j)
            out.PushBack(*below.At(j));
    }
}

void cIO::ListFilesByExtension(const char* folder, cList<cStr>& out, const char* extensions) {
    out.Resize(0, cStr());
    cList<cStr> wanted;
    SplitString(extensions, wanted, " ,;\t");
    if (wanted.Count() == 0)
        return;
    cList<cStr> files;
    ListFilesRecursive(folder, files);
    for (int i = 0; i < files.Count(); ++i) {
        cStr extension = files.At(i)->GetExtension();
        for (int j = 0; j < wanted.Count(); ++j) {
            if (CompareStringsNoCase(extension.GetText(), wanted.At(j)->GetText(), -1) == 0) {
                out.PushBack(*files.At(i));
                break;
            }
        }
    }
}

bool cIO::DeleteFile(const char* name) {
    cStr path = ResolvePath(name);
    bool deleted = DeleteOne(path.GetText());
    if (RedirectToWriteFolder(path))
        deleted = DeleteOne(path.GetText()) || deleted;
    return deleted;
}

bool cIO::RemoveFolder(const char* folder) {
    // "", "/", "." or "~" resolve to the data or documents folder: removing one of
    // them, a root or a folder above them is never what a caller means.
    cStr path = ResolvePath(folder);
    cStr twin = path;
    bool hasTwin = RedirectToWriteFolder(twin);
    const char* refusal = FolderRemovalRefusal(path.GetText());
    if (!refusal && hasTwin)
        refusal = FolderRemovalRefusal(twin.GetText());
    if (refusal) {
        Warning("Can't remove folder \"%s\": %s", folder ? folder : "", refusal);
        return false;
    }
    bool removed = RemoveTree(path);
    if (hasTwin)
        removed = RemoveTree(twin) || removed;
    return removed;
}

}  // namespace tovan

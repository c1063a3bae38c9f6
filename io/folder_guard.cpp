#include "io/folder_guard.h"

#include "core/os.h"
#include "io/io.h"
#include "io/io_state.h"

namespace tovan {

namespace {

struct Identity {
    bool known = false;
    bool share = false;  // the root is a server's share, not a drive
    cStr root;
    cList<cStr> parts;
};

// Windows ignores a part's trailing dots and spaces ("data. " opens "data").
void AddPart(cList<cStr>& parts, const cStr& part) {
    if (part == ".")
        return;
    if (part == "..") {
        if (parts.Count() > 0)
            parts.RemoveAt(parts.Count() - 1);
        return;
    }
    cStr trimmed = part;
    trimmed.TrimRight(". ");
    if (trimmed.Length() > 0)
        parts.PushBack(trimmed);
}

Identity Identify(const char* path, int depth) {
    Identity id;
    cStr text(path);
    text.Replace("/", "\\");
    const char* t = text.GetText();
    if (t[0] == '\\' && t[1] == '\\' && (t[2] == '?' || t[2] == '.') && t[3] == '\\') {
        const char* rest = t + 4;
        cStr plain = CompareStringsNoCase(rest, "UNC\\", 4) == 0 ? "\\\\" + cStr(rest + 4) : cStr(rest);
        text = plain;
        t = text.GetText();
    }
    cList<cStr> below;
    if (t[0] == '\\' && t[1] == '\\') {
        SplitString(t + 2, below, "\\");
        id.share = true;
        id.root = "\\\\";
        for (int i = 0; i < 2 && below.Count() > 0; ++i) {
            id.root.Append(i == 0 ? "" : "\\");
            id.root.Append(*below.At(0));
            below.RemoveAt(0);
        }
    } else if (IsAsciiLetter(t[0]) && t[1] == ':') {
        if (t[2] != '\\')
            return id;  // drive-relative
        id.root.Assign(t, 0, 2);
        SplitString(t + 3, below, "\\");
    } else {
        cStr current = TextFromOs(os::CurrentDirectory);
        if (depth > 0 || !cIO::IsAbsolute(current.GetText()))
            return id;
        cStr full;
        if (t[0] == '\\') {  // rooted on the current directory's drive
            if (current[1] != ':')
                return id;
            full.Assign(current.GetText(), 0, 2);
            full.Append(text);
        } else {
            full = current;
            full.AppendPath(text.GetText());
        }
        return Identify(full.GetText(), depth + 1);
    }
    for (const cStr& part : below)
        AddPart(id.parts, part);
    id.known = true;
    return id;
}

cStr Joined(const Identity& id) {
    cStr text = id.root;
    for (const cStr& part : id.parts) {
        text.AppendChar('\\');
        text.Append(part);
    }
    for (int i = 0; i < text.Length(); ++i)
        if (text[i] >= 'a' && text[i] <= 'z')
            text[i] = char(text[i] - 'a' + 'A');
    return text;
}

struct Kept {
    cStr folder;
    const char* is;
    const char* holds;
};

}  // namespace

cStr FolderIdentity(const char* path) {
    Identity id = Identify(path, 0);
    return id.known ? Joined(id) : cStr();
}

const char* FolderRemovalRefusal(const char* path) {
    Identity id = Identify(path, 0);
    if (!id.known)
        return "it is relative to a drive's current directory";
    if (id.parts.Count() == 0)
        return id.share ? "it is a share root" : "it is a drive root";
    // The write folder is the data folder's twin and holds its saved half.
    const cStr& writeRoot = *GetIoState().folderSource->WriteRoot();
    const Kept kept[] = {
        {cIO::GetDocumentsFolder(), "it is the documents folder", "it holds the documents folder"},
        {*cIO::GetBaseFolder(), "it is the data folder", "it holds the data folder"},
        {writeRoot.Length() > 0 ? cIO::ResolvePath(writeRoot.GetText()) : cStr(), "it is the data folder",
         "it holds the data folder"},
    };
    cStr name = Joined(id);
    for (const Kept& folder : kept) {
        if (folder.folder.Length() == 0)
            continue;
        cStr identity = FolderIdentity(folder.folder.GetText());
        if (identity.Length() == 0)
            continue;
        if (identity == name)
            return folder.is;
        if (identity.Length() > name.Length() && identity[name.Length()] == '\\' &&
            CompareStrings(identity.GetText(), name.GetText(), name.Length()) == 0)
            return folder.holds;
    }
    return nullptr;
}

}  // namespace tovan

// The folders that cIO::RemoveFolder refuses: the data folder, the documents
// folder, drive and share roots, and every folder that holds one of them. Names
// are compared as Windows resolves them, so that no spelling slips past.
#pragma once
#include "core/str.h"

namespace tovan {

// What a path names, in one spelling: upper-cased, '\' only, "." and ".." folded,
// doubled and trailing separators and each part's trailing dots and spaces
// dropped (Windows drops them too), "\\?\" and "\\.\" prefixes taken off; a root
// is "C:" or "\\SERVER\SHARE". A name without drive or server is taken against
// the current directory. A drive-relative name ("C:", "C:x") gives "": it names
// a folder below a drive's current directory, which the caller rarely means.
cStr FolderIdentity(const char* path);

// Why the folder at this resolved path must not be removed (the end of the
// warning), or null when it may be.
const char* FolderRemovalRefusal(const char* path);

}  // namespace tovan

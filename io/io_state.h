// The layer's globals, shared by its files.
#pragma once
#include "io/io.h"

namespace tovan {

struct IoState {
    cStr modulePath;
    cList<cIO::Source*> sources;           // asked in this order
    SourceFolder* folderSource = nullptr;  // the first source, whose write folder the twin rules use
};

IoState& GetIoState();

// A text from one of the seam's getters that fill a buffer and return the full
// length (<= 0 when there is none), taken whole however long it is.
template <class Getter>
cStr TextFromOs(Getter get) {
    char small[260];
    cStr text;
    int length = get(small, int(sizeof small));
    if (length <= 0)
        return text;
    if (length < int(sizeof small)) {
        text.SetText(small);
        return text;
    }
    cList<char> large;
    large.Resize(length + 1, 0);
    if (get(large.At(0), length + 1) > 0)
        text.SetText(large.At(0));
    return text;
}

}  // namespace tovan

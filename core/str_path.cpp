// Path helpers of cStr. '/' and '\' both separate; paths are built with '\'.
#include "core/str.h"

namespace tovan {

namespace {

// Index of the last separator in text[0, end), -1 when none.
int LastSeparator(const char* text, int end) {
    for (int i = end - 1; i >= 0; --i)
        if (IsPathSeparator(text[i]))
            return i;
    return -1;
}

}  // namespace

cStr cStr::GetExtension() const {
    for (int i = m_Length - 1; i >= 0; --i) {
        if (IsPathSeparator(m_Data[i]))
            break;
        if (m_Data[i] == '.')
            return cStr(m_Data + i + 1, m_Length - i - 1);
    }
    return cStr();
}

cStr cStr::GetFileName() const {
    // A separator in the final position is not looked at: "a/b/" gives "b/".
    const int cut = LastSeparator(GetText(), m_Length - 1);
    return cStr(GetText() + cut + 1, m_Length - cut - 1);
}

cStr cStr::GetFileNameNoExt() const {
    cStr name = GetFileName();
    const int dot = name.Find(".");
    if (dot >= 0)
        name.SetLength(dot);
    return name;
}

cStr cStr::GetFolder() const { return cStr(m_Data, LastSeparator(GetText(), m_Length) + 1); }

void cStr::RemoveFolder() {
    const int cut = LastSeparator(GetText(), m_Length);
    if (cut >= 0)
        Assign(m_Data, cut + 1, m_Length - cut - 1);
}

void cStr::SetExtension(const char* ext) {
    if (Holds(ext)) {  // cutting the text would change it
        const cStr copy(ext);
        SetExtension(copy.GetText());
        return;
    }
    const int start = LastSeparator(GetText(), m_Length) + 1;
    for (int i = m_Length - 1; i >= start; --i) {
        if (m_Data[i] == '.') {
            SetLength(i);
            break;
        }
    }
    if (!ext || *ext != '.')
        AppendChar('.');
    Append(ext);
}

void cStr::AppendPath(const char* part) {
    if (!part || !*part)
        return;
    if (Holds(part)) {  // our own text may move
        const cStr copy(part);
        AppendPath(copy.GetText());
        return;
    }
    if (m_Length > 0 && !IsPathSeparator(m_Data[m_Length - 1]))
        AppendChar('\\');
    if (IsPathSeparator(*part))
        ++part;
    const int from = m_Length;
    Append(part);
    for (int i = from; i < m_Length; ++i)
        if (m_Data[i] == '/')
            m_Data[i] = '\\';
}

void cStr::MakeRelative(const char* base) {
    const int baseLength = TextLength(base);
    if (baseLength == 0)
        return;
    // The base counts as a prefix only where a component ends: "C:\Data" is
    // not a prefix of "C:\Database\x".
    if (Find(base, 1, true) == 0 &&
        (IsPathSeparator(base[baseLength - 1]) || baseLength == m_Length || IsPathSeparator(m_Data[baseLength]))) {
        int cut = baseLength;
        if (cut < m_Length && IsPathSeparator(m_Data[cut]))
            ++cut;
        Assign(m_Data, cut, m_Length - cut);
        return;
    }
    cList<cStr> own, other;
    SplitString(GetText(), own, "\\/");
    SplitString(base, other, "\\/");
    if (own.Count() == 0 || other.Count() == 0 || CompareStringsNoCase(own[0].GetText(), other[0].GetText()) != 0)
        return;
    int same = 0;
    while (same < own.Count() && same < other.Count() &&
           CompareStringsNoCase(own[same].GetText(), other[same].GetText()) == 0)
        ++same;
    cStr result;
    for (int i = same; i < other.Count(); ++i)
        result.AppendPath("..");
    for (int i = same; i < own.Count(); ++i)
        result.AppendPath(own[i].GetText());
    *this = static_cast<cStr&&>(result);
}

}  // namespace tovan

#include "core/str.h"

#include "core/memory.h"

#include <cstdint>
#include <cstring>
#include <functional>

namespace tovan {

const char cStr::kEmptyText[1] = {0};

namespace {

constexpr int kStringPoolBlock = 32;

int RoundCapacity(int n) {
    const int step = n <= 8192 ? 32 : n <= 32768 ? 256 : 1024;
    const int64_t rounded = (int64_t(n) + step - 1) / step * step;
    return rounded > INT32_MAX ? INT32_MAX : int(rounded);
}

void ReleaseBuffer(char* data, int capacity) {
    if (capacity > kStringPoolBlock)
        PoolFree(data, capacity);
    else if (data)
        StringPoolFree(data);
}

char Fold(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

// A 0 inside a string is never one of the set's characters (strchr would
// find the set's terminator).
bool InSet(const char* set, char c) { return c != 0 && std::strchr(set, c); }

// Comparisons take a missing text for "".
const char* OrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

// An empty text needs no buffer.
cStr::cStr(const char* text) : cStr(text, TextLength(text)) {}
cStr::cStr(const char* text, int count) {
    if (count > 0)
        Assign(text, 0, count);
}
cStr::cStr(const cStr& other) { Assign(other.m_Data, 0, other.m_Length); }

cStr::cStr(cStr&& other) noexcept : m_Data(other.m_Data), m_Length(other.m_Length), m_Capacity(other.m_Capacity) {
    other.m_Data = nullptr;
    other.m_Length = 0;
    other.m_Capacity = 0;
}

cStr& cStr::operator=(const cStr& other) {
    if (this != &other)
        Assign(other.m_Data, 0, other.m_Length);
    return *this;
}

cStr& cStr::operator=(cStr&& other) noexcept {
    if (this != &other) {
        Release();
        m_Data = other.m_Data;
        m_Length = other.m_Length;
        m_Capacity = other.m_Capacity;
        other.m_Data = nullptr;
        other.m_Length = 0;
        other.m_Capacity = 0;
    }
    return *this;
}

cStr& cStr::operator=(const char* text) {
    SetText(text);
    return *this;
}

cStr::~cStr() { Release(); }

void cStr::Release() {
    ReleaseBuffer(m_Data, m_Capacity);
    m_Data = nullptr;
    m_Length = 0;
    m_Capacity = 0;
}

const char* cStr::TextOf(const cStr* text) { return text ? text->GetText() : kEmptyText; }

void cStr::Reserve(int n, bool keep) {
    if (n <= m_Capacity)
        return;
    char* fresh;
    int capacity;
    if (!m_Data && n < kStringPoolBlock) {
        fresh = static_cast<char*>(StringPoolAlloc());
        capacity = kStringPoolBlock;
    } else {
        capacity = RoundCapacity(n);
        fresh = static_cast<char*>(PoolAlloc(capacity));
    }
    if (keep) {
        if (m_Data)
            std::memcpy(fresh, m_Data, size_t(m_Length) + 1);
        else
            fresh[0] = 0;
    }
    ReleaseBuffer(m_Data, m_Capacity);
    m_Data = fresh;
    m_Capacity = capacity;
}

// Appends grow by half the capacity at least, so that long texts built piece
// by piece copy themselves a bounded number of times.
void cStr::GrowForAppend(int needed) {
    if (needed <= m_Capacity)
        return;
    int64_t target = int64_t(m_Capacity) + m_Capacity / 2;
    if (target < needed || target > INT32_MAX - 1024)
        target = needed;
    Reserve(int(target), true);
}

void cStr::SetLength(int n) {
    if (!m_Data)
        return;
    if (n < 0)
        n = 0;
    if (n >= m_Capacity)
        n = m_Capacity - 1;
    m_Length = n;
    m_Data[n] = 0;
}

void cStr::Assign(const char* src, int start, int count) {
    if (!src) {
        if (m_Data) {
            m_Data[0] = 0;
            m_Length = 0;
        }
        return;
    }
    if (start < 0)
        start = 0;
    if (count < 0)
        count = 0;
    if (Holds(src)) {
        // From our own text: no reallocation; only what lies inside the text is copied.
        const int available = int(m_Data + m_Length - src) - start;
        if (count > available)
            count = available > 0 ? available : 0;
        if (count > 0)
            std::memmove(m_Data, src + start, size_t(count));
        m_Data[count] = 0;
        m_Length = count;
        return;
    }
    if (m_Capacity < count + 1)
        Reserve(count + 1, false);
    std::memcpy(m_Data, src + start, size_t(count));
    m_Data[count] = 0;
    m_Length = count;
}

bool cStr::Holds(const char* text) const {
    std::less_equal<const char*> le;
    return m_Data && le(m_Data, text) && le(text, m_Data + m_Length);
}

void cStr::SetText(const char* text) { Assign(text, 0, TextLength(text)); }

void cStr::Fill(int n, char ch) {
    if (n <= 0) {
        Release();
        return;
    }
    if (m_Capacity < n + 1)
        Reserve(n + 1, false);
    std::memset(m_Data, ch, size_t(n));
    m_Data[n] = 0;
    m_Length = n;
}

int cStr::InsertChars(int index, char ch, int count) {
    if (count <= 0)
        return m_Length;
    if (index < 0)
        index = 0;
    if (index > m_Length)
        index = m_Length;
    GrowForAppend(m_Length + count + 1);
    std::memmove(m_Data + index + count, m_Data + index, size_t(m_Length - index) + 1);
    std::memset(m_Data + index, ch, size_t(count));
    m_Length += count;
    return m_Length;
}

void cStr::Append(const char* text) { Append(text, TextLength(text)); }

void cStr::Append(const char* text, int count) {
    if (!text || count <= 0)
        return;
    if (m_Length + count + 1 > m_Capacity) {
        // The text may be our own: keep it readable until it is copied.
        if (Holds(text)) {
            cStr copy(text, count);
            Append(copy.m_Data, count);
            return;
        }
        GrowForAppend(m_Length + count + 1);
    }
    std::memmove(m_Data + m_Length, text, size_t(count));
    m_Length += count;
    m_Data[m_Length] = 0;
}

void cStr::AppendCharGrowing(char ch) {
    GrowForAppend(m_Length + 2);
    m_Data[m_Length++] = ch;
    m_Data[m_Length] = 0;
}

int cStr::Find(const char* text, int end, bool noCase) const {
    if (!m_Data || !text)
        return -1;
    if (end > m_Length)
        end = m_Length;
    const int m = TextLength(text);
    for (int p = 0; p < end; ++p) {
        int i = 0;
        if (noCase)
            while (i < m && Fold(m_Data[p + i]) == Fold(text[i]))
                ++i;
        else
            while (i < m && m_Data[p + i] == text[i])
                ++i;
        if (i == m)
            return p;
    }
    return -1;
}

int cStr::Replace(const char* find, const char* with, int end) {
    const int m = TextLength(find);
    if (m == 0 || !m_Data)
        return 0;
    if (Holds(find) || Holds(with)) {  // the rebuild overwrites our own text
        const cStr findCopy(find), withCopy(with);
        return Replace(findCopy.GetText(), withCopy.GetText(), end);
    }
    if (end > m_Length)
        end = m_Length;
    int count = 0;
    for (int p = 0; p < end;) {
        if (std::strncmp(m_Data + p, find, size_t(m)) == 0) {
            ++count;
            p += m;
        } else {
            ++p;
        }
    }
    if (count == 0)
        return 0;
    const int w = TextLength(with);
    cStr old(*this);
    const char* src = old.m_Data;
    const int64_t length = int64_t(m_Length) + int64_t(count) * (w - m);
    if (length >= INT32_MAX - 1024)
        return 0;  // would not fit a string
    if (m_Capacity < length + 1)
        Reserve(int(length + 1), false);
    char* out = m_Data;
    int p = 0;
    while (p < end) {
        if (std::strncmp(src + p, find, size_t(m)) == 0) {
            if (w > 0)
                std::memcpy(out, with, size_t(w));
            out += w;
            p += m;
        } else {
            *out++ = src[p++];
        }
    }
    // Text after end is kept as it was.
    std::memcpy(out, src + p, size_t(old.m_Length - p) + 1);
    m_Length = int(length);
    return count;
}

void cStr::TrimLeft(const char* set) {
    if (!m_Data || !set)
        return;
    int n = 0;
    while (n < m_Length && InSet(set, m_Data[n]))
        ++n;
    if (n > 0)
        Assign(m_Data, n, m_Length - n);
}

void cStr::TrimRight(const char* set) {
    if (!m_Data || !set)
        return;
    int n = m_Length;
    while (n > 0 && InSet(set, m_Data[n - 1]))
        --n;
    m_Length = n;
    m_Data[n] = 0;
}

bool operator==(const cStr& a, const cStr& b) {
    return a.Length() == b.Length() && std::memcmp(a.GetText(), b.GetText(), size_t(a.Length())) == 0;
}

bool operator==(const cStr& a, const char* b) { return std::strcmp(a.GetText(), b ? b : "") == 0; }

cStr operator+(const cStr& a, const cStr& b) {
    cStr out;
    out.Reserve(a.Length() + b.Length() + 1, false);
    out.Assign(a.Data(), 0, a.Length());
    out.Append(b);
    return out;
}

cStr operator+(const char* a, const cStr& b) {
    cStr out;
    const int n = TextLength(a);
    out.Reserve(n + b.Length() + 1, false);
    out.Assign(a, 0, n);
    out.Append(b);
    return out;
}

cStr operator+(const cStr& a, const char* b) {
    cStr out;
    const int n = TextLength(b);
    out.Reserve(a.Length() + n + 1, false);
    out.Assign(a.Data(), 0, a.Length());
    out.Append(b, n);
    return out;
}

int TextLength(const char* text) { return text ? int(std::strlen(text)) : 0; }

int CompareStringsNoCase(const char* a, const char* b, int n) {
    a = OrEmpty(a);
    b = OrEmpty(b);
    for (int i = 0; n < 0 || i < n; ++i) {
        const signed char x = static_cast<signed char>(Fold(a[i]));
        const signed char y = static_cast<signed char>(Fold(b[i]));
        if (x != y)
            return x > y ? 1 : -1;
        if (x == 0)
            break;
    }
    return 0;
}

namespace {
char FoldPath(char c) { return c == '/' ? '\\' : Fold(c); }
}  // namespace

int ComparePaths(const char* a, const char* b, int n) {
    a = OrEmpty(a);
    b = OrEmpty(b);
    if (n >= 0) {
        const int la = TextLength(a), lb = TextLength(b);
        if ((n == la && la > 0 && IsPathSeparator(a[la - 1])) || (n == lb && lb > 0 && IsPathSeparator(b[lb - 1])))
            --n;
    }
    int i = 0;
    for (;; ++i) {
        if (n >= 0 && i >= n) {
            // Equal over the count: a boundary on both sides makes them equal.
            if (b[i] && !IsPathSeparator(b[i]))
                return -1;
            if (a[i] && !IsPathSeparator(a[i]))
                return 1;
            return 0;
        }
        const char x = FoldPath(a[i]), y = FoldPath(b[i]);
        if (x != y)
            break;
        if (x == 0)
            return 0;
    }
    const int d = static_cast<signed char>(FoldPath(a[i])) - static_cast<signed char>(FoldPath(b[i]));
    const char* pa = a + i;
    const char* pb = b + i;
    while (*pa && !IsPathSeparator(*pa))
        ++pa;
    while (*pb && !IsPathSeparator(*pb))
        ++pb;
    if (*pa && !*pb)
        return 1;
    if (*pb && !*pa)
        return -1;
    return d > 0 ? 1 : -1;
}

cStr JoinStrings(const cList<cStr>& list) {
    cStr out;
    for (int i = 0; i < list.Count(); ++i) {
        if (i > 0)
            out.AppendChar(' ');
        out.Append(list[i]);
    }
    return out;
}

}  // namespace tovan

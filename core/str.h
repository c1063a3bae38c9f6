// cStr, the framework's string: 8-bit text in one pooled buffer, and the free
// functions the framework uses on zero-terminated texts.
//
// A string without buffer is the empty string. A first buffer under 32 bytes is
// a string-pool block; every other capacity is rounded up to a multiple of 32
// (up to 8192), 256 (up to 32768) or 1024 and taken from the pooled allocator.
#pragma once
#include <cassert>
#include <cstdarg>
#include <cstdint>

#include "core/list.h"

#if defined(__clang__)
#define TOVAN_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define TOVAN_PRINTF(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#endif

namespace tovan {

class cStr {
public:
    cStr() = default;
    cStr(const char* text);  // NOLINT: texts convert like literals do
    cStr(const char* text, int count);
    cStr(const cStr& other);
    cStr(cStr&& other) noexcept;
    cStr& operator=(const cStr& other);
    cStr& operator=(cStr&& other) noexcept;
    cStr& operator=(const char* text);
    ~cStr();

    // --- buffer and access ---------------------------------------------------
    // Makes capacity >= n; keep copies the old text, else the content is unspecified.
    void Reserve(int n, bool keep);
    int Length() const { return m_Length; }
    int Capacity() const { return m_Capacity; }
    bool IsEmpty() const { return m_Length == 0; }
    const char* GetText() const { return m_Data ? m_Data : kEmptyText; }
    static const char* TextOf(const cStr* text);  // null pointer or no buffer: ""
    char* Data() { return m_Data; }               // null when there is no buffer
    const char* Data() const { return m_Data; }
    // Builds with assertions check 0 <= index < Length(): past the text the
    // buffer still holds old bytes, which no sanitizer flags.
    char& operator[](int index) { return m_Data[Checked(index)]; }
    char operator[](int index) const { return m_Data[Checked(index)]; }
    // Cuts or extends the text to n bytes inside the buffer (n < capacity).
    void SetLength(int n);
    void Clear() { SetLength(0); }  // keeps the buffer
    void Release();                 // gives the buffer back

    // --- assignment ----------------------------------------------------------
    // text = count bytes of src from src[start]; src may lie in this string.
    void Assign(const char* src, int start, int count);
    void SetText(const char* text);
    void Fill(int n, char ch);                       // n <= 0 releases the buffer
    int InsertChars(int index, char ch, int count);  // returns the new length

    // --- appends -------------------------------------------------------------
    void Append(const char* text);
    void Append(const char* text, int count);
    void Append(const cStr& text) { Append(text.m_Data, text.m_Length); }
    void AppendChar(char ch) {
        if (m_Length + 2 > m_Capacity)
            return AppendCharGrowing(ch);
        m_Data[m_Length] = ch;
        m_Data[++m_Length] = 0;
    }
    void AppendInt(int value);
    void AppendFormat(const char* fmt, ...) TOVAN_PRINTF(2, 3);
    void AppendFormatV(const char* fmt, va_list args);
    void AppendPath(const char* part);
    cStr& operator+=(const char* text) {
        Append(text);
        return *this;
    }
    cStr& operator+=(const cStr& text) {
        Append(text);
        return *this;
    }
    cStr& operator+=(char ch) {
        AppendChar(ch);
        return *this;
    }

    // --- search and edit -----------------------------------------------------
    // First position in [0, end - 1] where text matches; -1 when none.
    int Find(const char* text, int end, bool noCase) const;
    int Find(const char* text, bool noCase = false) const { return Find(text, m_Length, noCase); }
    // Replaces every non-overlapping find (leftmost first) before end; returns the count.
    int Replace(const char* find, const char* with, int end);
    int Replace(const char* find, const char* with) { return Replace(find, with, m_Length); }
    void TrimLeft(const char* set);
    void TrimRight(const char* set);

    // --- paths ('/' and '\' both separate) -----------------------------------
    cStr GetExtension() const;
    cStr GetFileName() const;
    cStr GetFileNameNoExt() const;
    cStr GetFolder() const;
    void RemoveFolder();
    void SetExtension(const char* ext);
    void MakeRelative(const char* base);

    // UTF-8 to UTF-16; false after an invalid or unfinished sequence.
    bool ToUtf16(cList<uint16_t>& out) const;

    // --- formatting (the framework's own printf; floats print alike everywhere)
    static constexpr int kFormatLimit = 9998;    // characters kept by Format
    static constexpr int kFormatVLimit = 19998;  // by FormatV and AppendFormat
    static cStr Format(const char* fmt, ...) TOVAN_PRINTF(1, 2);
    static cStr FormatV(const char* fmt, va_list args);
    static cStr FromFloat(float value, int decimals);

private:
    static const char kEmptyText[1];
    int Checked(int index) const {
        assert(index >= 0 && index < m_Length && "cStr index out of range");
        return index;
    }
    void GrowForAppend(int needed);
    void AppendCharGrowing(char ch);
    bool Holds(const char* text) const;  // text points into our own text

    char* m_Data = nullptr;
    int32_t m_Length = 0;
    int32_t m_Capacity = 0;
};

bool operator==(const cStr& a, const cStr& b);
bool operator==(const cStr& a, const char* b);
inline bool operator==(const char* a, const cStr& b) { return b == a; }
inline bool operator!=(const cStr& a, const cStr& b) { return !(a == b); }
inline bool operator!=(const cStr& a, const char* b) { return !(a == b); }
inline bool operator!=(const char* a, const cStr& b) { return !(b == a); }
cStr operator+(const cStr& a, const cStr& b);
cStr operator+(const char* a, const cStr& b);
cStr operator+(const cStr& a, const char* b);

int TextLength(const char* text);  // 0 for null

// Signed-byte comparisons over at most n bytes (n < 0: whole texts); 0 equal,
// 1 or -1 by the first differing byte. A null text compares as "".
int CompareStrings(const char* a, const char* b, int n = -1);
int CompareStrings(const cStr& a, const cStr& b);                    // the same, using the known lengths
int CompareStringsNoCase(const char* a, const char* b, int n = -1);  // folds 'A'..'Z'
// Paths: case-free, '/' equals '\', a trailing separator within n does not count.
int ComparePaths(const char* a, const char* b, int n = -1);
// The one test for a path separator: '/' and '\' both separate, everywhere.
inline bool IsPathSeparator(char c) { return c == '/' || c == '\\'; }
inline bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

cStr IntsToString(const int* values, int count);      // "%d" joined by one space
cStr FloatsToString(const float* values, int count);  // "%.3f" joined by one space
cStr JoinStrings(const cList<cStr>& list);            // joined by one space

// Parsing stops at the first character not accepted ("12abc" is 12). On
// failure the output is 0 (the lists keep what parsed before the fault).
bool ParseInt(const char* text, int& out);
bool ParseFloat(const char* text, float& out);
bool ParseIntList(const char* text, cList<int>& out);
bool ParseFloatList(const char* text, cList<float>& out);
// Cuts text at runs of any separator character, dropping empty pieces.
void SplitString(const char* text, cList<cStr>& list, const char* separators);

}  // namespace tovan

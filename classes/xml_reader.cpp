// The reader of the dialect. Elements are parsed with an explicit stack of open
// elements (never recursion), so nesting is bounded by kMaxDepth alone.
#include <cstring>

#include "classes/xml.h"

namespace tovan {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Runs between tags are short: a plain loop beats the library's vector search here.
const char* Find(const char* p, char wanted) {
    for (; *p; ++p)
        if (*p == wanted)
            return p;
    return nullptr;
}

// True when text starts with the count bytes of name (text may end before them).
bool StartsWithName(const char* text, const char* name, int count) {
    for (int i = 0; i < count; ++i)
        if (text[i] != name[i])
            return false;  // also at text's terminator, name holds none
    return true;
}

// A run of characters before a tag becomes the element's text, trimmed, unless it
// is all blank; a later run replaces an earlier one.
void TakeTextRun(cStr& text, const char* begin, const char* end) {
    while (begin < end && IsBlank(*begin))
        ++begin;
    if (begin == end)
        return;
    while (IsBlank(end[-1]))
        --end;
    text.Assign(begin, 0, int(end - begin));
}

}  // namespace

void UnescapeXmlText(cStr& text) {
    char* data = text.Data();
    if (!data || !std::memchr(data, '&', size_t(text.Length())))
        return;
    // "&lt" then "&gt": the two never overlap, so one pass gives the same result.
    const int length = text.Length();
    int out = 0;
    for (int i = 0; i < length;) {
        if (data[i] == '&' && i + 2 < length && data[i + 2] == 't' && (data[i + 1] == 'l' || data[i + 1] == 'g')) {
            data[out++] = data[i + 1] == 'l' ? '<' : '>';
            i += 3;
        } else {
            data[out++] = data[i++];
        }
    }
    text.SetLength(out);
}

int XmlNode::Parse(const char* text) {
    if (!text || !*text) {
        UnescapeXmlText(m_Text);
        return 0;
    }
    m_Name.Clear();
    const char* p = Find(text, '<');
    if (!p || p[1] == '/')
        return -1;

    XmlNode* open[kMaxDepth];  // the ancestors of node
    int depth = 0;
    XmlNode* node = this;
    for (;;) {
        // p is at the '<' of node's start tag.
        const char* close = Find(p + 1, '>');
        if (!close)
            return -1;
        node->m_Name.Assign(p + 1, 0, int(close - p - 1));
        p = close + 1;
        for (;;) {
            const char* tag = Find(p, '<');
            if (!tag)
                return -1;
            TakeTextRun(node->m_Text, p, tag);
            if (tag[1] != '/') {
                if (depth + 1 >= kMaxDepth)
                    return -1;
                XmlNode* child = Create(nullptr);
                node->m_Children.PushBack(child);
                open[depth++] = node;
                node = child;
                p = tag;
                break;
            }
            // An end tag closes the element when its name starts with the element's
            // name ("</Abc>" also closes "A").
            const int nameLength = node->m_Name.Length();
            if (!StartsWithName(tag + 2, node->m_Name.GetText(), nameLength))
                return -1;
            const char* end = Find(tag + 2 + nameLength, '>');
            if (!end)
                return -1;
            UnescapeXmlText(node->m_Text);
            p = end + 1;
            if (depth == 0)
                return int(p - text);
            node = open[--depth];
        }
    }
}

}  // namespace tovan

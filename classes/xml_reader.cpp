// The reader of the dialect. Elements are parsed with an explicit stack of open
// elements (never recursion), so nesting is bounded by kMaxDepth alone. Names and
// texts are copied once into the tree's arena; the children of open elements wait
// on one shared list and move into an array of the exact size when their parent
// closes.
#include <cstring>
#include <new>

#include "classes/xml.h"
#include "classes/xml_arena.h"

namespace tovan {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the byte scans take the lowest byte as the first");

namespace {

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighs = 0x8080808080808080ull;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Eight bytes at a time: runs between tags are short, too short for the library's
// search to pay for its call.
const char* FindByte(const char* p, const char* end, char wanted) {
    const uint64_t pattern = kOnes * uint8_t(wanted);
    for (; end - p >= 8; p += 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        const uint64_t x = word ^ pattern;
        // The lowest byte flagged here is the first match; higher flags may be wrong.
        if (const uint64_t hit = (x - kOnes) & ~x & kHighs)
            return p + (__builtin_ctzll(hit) >> 3);
    }
    for (; p < end; ++p)
        if (*p == wanted)
            return p;
    return nullptr;
}

// "&lt" becomes '<' and "&gt" '>', nothing else is decoded; the two never overlap,
// so one pass equals replacing all of the first and then all of the second.
int UnescapeInPlace(char* data, int length) {
    const char* amp = FindByte(data, data + length, '&');
    if (!amp)
        return length;
    int out = int(amp - data);
    for (int i = out; i < length;) {
        if (data[i] == '&' && i + 2 < length && data[i + 2] == 't' && (data[i + 1] == 'l' || data[i + 1] == 'g')) {
            data[out++] = data[i + 1] == 'l' ? '<' : '>';
            i += 3;
        } else {
            data[out++] = data[i++];
        }
    }
    data[out] = 0;
    return out;
}

}  // namespace

class XmlReader {
public:
    XmlReader(XmlNode& root) : m_Arena(root.Memory()), m_Pending(m_Arena.m_Pending), m_Root(root) {}

    // The characters of [begin, end) consumed through the root's end tag, or -1.
    ptrdiff_t Parse(const char* begin, const char* end);

private:
    struct Open {
        XmlNode* node;
        int pending;  // where its children start on the pending list
    };

    // A run of characters before a tag, trimmed and not blank: the element's text.
    void TakeText(XmlNode* node, const char* begin, const char* end) {
        const int length = int(end - begin);
        char* copy = m_Arena.AllocChars(size_t(length) + 1);
        std::memcpy(copy, begin, size_t(length));
        copy[length] = 0;
        node->m_Text = copy;
        node->m_TextLength = UnescapeInPlace(copy, length);
    }

    XmlNode* NewChild(const char* name, int length) {
        void* memory = m_Arena.Alloc(sizeof(XmlNode) + size_t(length) + 1);
        XmlNode* child = new (memory) XmlNode;
        child->m_Arena = &m_Arena;
        if (length > 0) {
            char* copy = reinterpret_cast<char*>(child + 1);
            std::memcpy(copy, name, size_t(length));
            copy[length] = 0;
            child->m_Name = copy;
            child->m_NameLength = length;
        }
        return child;
    }

    // Moves the children waiting above base into node (after those it already had).
    void Close(XmlNode* node, int base) {
        const int added = m_Pending.Count() - base;
        if (added <= 0)
            return;
        const int count = node->m_ChildCount + added;
        XmlNode** children = static_cast<XmlNode**>(m_Arena.Alloc(size_t(count) * sizeof(XmlNode*)));
        if (node->m_ChildCount > 0)
            std::memcpy(children, node->m_Children, size_t(node->m_ChildCount) * sizeof(XmlNode*));
        std::memcpy(children + node->m_ChildCount, m_Pending.Data() + base, size_t(added) * sizeof(XmlNode*));
        node->m_Children = children;
        node->m_ChildCount = count;
        node->m_ChildCapacity = count;
        m_Pending.Resize(base);
    }

    // Malformed: what was read stays in the tree, as far as it got.
    ptrdiff_t Fail(XmlNode* node, int base, Open* open, int depth) {
        for (;;) {
            Close(node, base);
            if (depth == 0)
                return -1;
            --depth;
            node = open[depth].node;
            base = open[depth].pending;
        }
    }

    XmlArena& m_Arena;
    cList<XmlNode*>& m_Pending;
    XmlNode& m_Root;
};

ptrdiff_t XmlReader::Parse(const char* begin, const char* end) {
    m_Root.m_Name = "";
    m_Root.m_NameLength = 0;
    const char* p = FindByte(begin, end, '<');
    if (!p || (end - p > 1 && p[1] == '/'))
        return -1;

    Open open[XmlNode::kMaxDepth];  // the ancestors of node
    int depth = 0;
    XmlNode* node = &m_Root;
    int base = m_Pending.Count();
    const char* close = FindByte(p + 1, end, '>');
    if (!close)
        return -1;
    if (close > p + 1) {
        m_Root.m_Name = m_Arena.CopyText(p + 1, size_t(close - p - 1));
        m_Root.m_NameLength = int(close - p - 1);
    }
    p = close + 1;
    for (;;) {
        // Content of node from p: a text run, then a tag.
        while (p < end && IsBlank(*p))
            ++p;
        const char* tag = p;
        if (p == end || *p != '<') {
            tag = FindByte(p, end, '<');
            if (!tag)
                return Fail(node, base, open, depth);
            const char* last = tag;
            while (IsBlank(last[-1]))  // stops at p, which is not blank
                --last;
            TakeText(node, p, last);
        }
        if (end - tag > 1 && tag[1] == '/') {
            // An end tag closes the element when its name starts with the element's
            // name ("</Abc>" also closes "A").
            const char* name = tag + 2;
            const int length = node->m_NameLength;
            if (end - name < length || std::memcmp(name, node->m_Name, size_t(length)) != 0)
                return Fail(node, base, open, depth);
            const char* gt = name + length;
            if (gt == end || *gt != '>')
                gt = FindByte(gt, end, '>');
            if (!gt)
                return Fail(node, base, open, depth);
            Close(node, base);
            p = gt + 1;
            if (depth == 0) {
                if (m_Root.m_TextLength > 0)  // text it held before this parse
                    m_Root.m_TextLength = UnescapeInPlace(const_cast<char*>(m_Root.m_Text), m_Root.m_TextLength);
                return p - begin;
            }
            --depth;
            node = open[depth].node;
            base = open[depth].pending;
            continue;
        }
        if (depth + 1 >= XmlNode::kMaxDepth)
            return Fail(node, base, open, depth);
        const char* gt = FindByte(tag + 1, end, '>');
        if (!gt)
            return Fail(node, base, open, depth);
        XmlNode* child = NewChild(tag + 1, int(gt - tag - 1));
        m_Pending.PushBack(child);
        open[depth++] = {node, base};
        node = child;
        base = m_Pending.Count();
        p = gt + 1;
    }
}

int XmlNode::Parse(const char* text) {
    if (!text || !*text) {
        if (m_TextLength > 0)
            m_TextLength = UnescapeInPlace(const_cast<char*>(m_Text), m_TextLength);
        return 0;
    }
    const size_t length = std::strlen(text);
    if (length > size_t(kMaxText))
        return -1;
    return ParseRange(text, text + length);
}

int XmlNode::ParseRange(const char* begin, const char* end) { return int(XmlReader(*this).Parse(begin, end)); }

}  // namespace tovan

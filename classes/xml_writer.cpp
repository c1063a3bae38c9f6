// The writer of the dialect: appends into one growing buffer that it fills through
// a raw cursor, asking for room once per tag rather than once per piece.
#include <climits>
#include <cstring>

#include "classes/xml.h"
#include "core/stream.h"

namespace tovan {

namespace {

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighs = 0x8080808080808080ull;
// Pieces up to this size get their room in one request; longer names and texts
// are written in pieces of it, so the output never overshoots a stop by much.
constexpr size_t kPiece = 64 * 1024;

// Copies text with '<' as "&lt" and '>' as "&gt"; the output needs 3 bytes per
// character, and 8 more when fewer are used (words are stored whole).
char* CopyEscaped(char* out, const char* text, size_t count) {
    const char* end = text + count;
    while (end - text >= 8) {
        uint64_t word;
        std::memcpy(&word, text, 8);
        // '<' (0x3C) and '>' (0x3E) are the only bytes that become 0x3E with bit 1 set.
        const uint64_t x = (word | kOnes * 0x02) ^ (kOnes * 0x3E);
        const uint64_t hit = (x - kOnes) & ~x & kHighs;  // exact for the lowest flag
        std::memcpy(out, &word, 8);
        if (!hit) {
            out += 8;
            text += 8;
            continue;
        }
        const int clean = __builtin_ctzll(hit) >> 3;
        out += clean;
        text += clean;
        out[0] = '&';
        out[1] = *text == '<' ? 'l' : 'g';
        out[2] = 't';
        out += 3;
        ++text;
    }
    for (; text < end; ++text) {
        if (*text == '<' || *text == '>') {
            out[0] = '&';
            out[1] = *text == '<' ? 'l' : 'g';
            out[2] = 't';
            out += 3;
        } else {
            *out++ = *text;
        }
    }
    return out;
}

}  // namespace

class XmlWriter {
public:
    // Makes room for at least needed bytes in all; answers the (possibly moved)
    // buffer and its usable size.
    using Grow = char* (*)(void* target, size_t used, size_t needed, size_t& capacity);

    XmlWriter(void* target, Grow grow, char* base, size_t used, size_t capacity, size_t stop)
        : m_Target(target), m_Grow(grow), m_Base(base), m_Out(base + used), m_End(base + capacity), m_Stop(stop) {}

    void Node(const XmlNode& node, int depth, int level);
    size_t Used() const { return size_t(m_Out - m_Base); }
    // True when the tree did not fit before the stop: the output holds more than wanted.
    bool Cut() const { return m_Full; }
    char* Base() const { return m_Base; }

private:
    char* Room(size_t n) {
        if (size_t(m_End - m_Out) < n)
            MoreRoom(n);
        return m_Out;
    }
    void MoreRoom(size_t n) {
        size_t capacity = 0;
        const size_t used = Used();
        m_Base = m_Grow(m_Target, used, used + n, capacity);
        m_Out = m_Base + used;
        m_End = m_Base + capacity;
    }
    bool Passed() {
        if (Used() > m_Stop)
            m_Full = true;
        return m_Full;
    }
    void Put(const char* text, size_t count);
    void PutEscaped(const char* text, size_t count);
    void Indent(size_t count);
    void OpenLarge(const XmlNode& node, size_t indent, bool hasChildren);

    void* m_Target;
    Grow m_Grow;
    char* m_Base;
    char* m_Out;
    char* m_End;
    size_t m_Stop;  // the output may hold this many bytes
    bool m_Full = false;
};

void XmlWriter::Put(const char* text, size_t count) {
    while (count > 0 && !Passed()) {
        const size_t piece = count < kPiece ? count : kPiece;
        std::memcpy(Room(piece), text, piece);
        m_Out += piece;
        text += piece;
        count -= piece;
    }
}

void XmlWriter::PutEscaped(const char* text, size_t count) {
    while (count > 0 && !Passed()) {
        const size_t piece = count < kPiece ? count : kPiece;
        m_Out = CopyEscaped(Room(3 * piece + 8), text, piece);
        text += piece;
        count -= piece;
    }
}

void XmlWriter::Indent(size_t count) {
    while (count > 0 && !Passed()) {
        const size_t piece = count < kPiece ? count : kPiece;
        std::memset(Room(piece), ' ', piece);
        m_Out += piece;
        count -= piece;
    }
}

// A start tag and text too long to ask room for at once.
void XmlWriter::OpenLarge(const XmlNode& node, size_t indent, bool hasChildren) {
    Indent(indent);
    Put("<", 1);
    Put(node.m_Name, size_t(node.m_NameLength));
    Put(">\n", hasChildren ? 2 : 1);
    if (node.m_TextLength > 0) {
        if (hasChildren)
            Indent(indent + 1);
        PutEscaped(node.m_Text, size_t(node.m_TextLength));
        if (hasChildren)
            Put("\n", 1);
    }
}

// depth may be negative (no indentation until it passes 0), never above kMaxText.
void XmlWriter::Node(const XmlNode& node, int depth, int level) {
    const bool hasChildren = node.m_ChildCount > 0 && level + 1 < XmlNode::kMaxDepth;
    const size_t indent = depth > 0 ? size_t(depth) : 0;
    const size_t inner = depth + 1 > 0 ? size_t(depth) + 1 : 0;
    const size_t name = size_t(node.m_NameLength);
    const size_t text = size_t(node.m_TextLength);
    if (indent + name + text > kPiece) {
        OpenLarge(node, indent, hasChildren);
    } else {
        char* out = Room(indent + inner + name + 3 * text + 16);
        std::memset(out, ' ', indent);
        out += indent;
        *out++ = '<';
        std::memcpy(out, node.m_Name, name);
        out += name;
        *out++ = '>';
        if (hasChildren)
            *out++ = '\n';
        if (text > 0) {
            if (hasChildren) {
                std::memset(out, ' ', inner);
                out += inner;
            }
            out = CopyEscaped(out, node.m_Text, text);
            if (hasChildren)
                *out++ = '\n';
        }
        m_Out = out;
    }
    if (Passed())
        return;
    if (hasChildren) {
        for (int i = 0; i < node.m_ChildCount; ++i) {
            Node(*node.m_Children[i], depth + 1, level + 1);
            if (m_Full)
                return;
        }
    }
    if (indent + name > kPiece) {
        if (hasChildren)
            Indent(indent);
        Put("</", 2);
        Put(node.m_Name, name);
        Put(">\n", 2);
    } else {
        char* out = Room(indent + name + 4);
        if (hasChildren) {
            std::memset(out, ' ', indent);
            out += indent;
        }
        out[0] = '<';
        out[1] = '/';
        std::memcpy(out + 2, node.m_Name, name);
        out[name + 2] = '>';
        out[name + 3] = '\n';
        m_Out = out + name + 4;
    }
    Passed();
}

namespace {

// A cStr keeps one byte after its text for the terminator.
char* GrowText(void* target, size_t used, size_t needed, size_t& capacity) {
    cStr& text = *static_cast<cStr*>(target);
    if (text.Data())
        text.SetLength(int(used));
    size_t wanted = size_t(text.Capacity()) * 2;
    if (wanted < needed + 1)
        wanted = needed + 1;
    if (wanted > size_t(INT_MAX - 1024))  // the stop keeps needed far below this
        wanted = size_t(INT_MAX - 1024);
    text.Reserve(int(wanted), true);
    capacity = size_t(text.Capacity()) - 1;
    return text.Data();
}

// Doubles, as the text does: a fresh stream is grown a few times, not dozens.
char* GrowBytes(void* target, size_t used, size_t needed, size_t& capacity) {
    cList<uint8_t>& bytes = *static_cast<cList<uint8_t>*>(target);
    bytes.ResizeUnset(int(used));
    size_t wanted = size_t(bytes.Capacity()) * 2;
    if (wanted < needed)
        wanted = needed;
    if (wanted > size_t(INT_MAX - 1024))  // the stop keeps needed far below this
        wanted = size_t(INT_MAX - 1024);
    bytes.Grow(int(wanted));
    capacity = size_t(bytes.Capacity());
    return reinterpret_cast<char*>(bytes.Data());
}

// Appends at most limit characters, and never past kMaxText in all.
void WriteInto(cStr& output, const XmlNode& node, int depth, int limit) {
    const size_t start = size_t(output.Length());
    if (limit <= 0 || start >= size_t(XmlNode::kMaxText))
        return;
    size_t stop = start + size_t(limit);
    if (stop > size_t(XmlNode::kMaxText))
        stop = size_t(XmlNode::kMaxText);
    const size_t capacity = output.Data() ? size_t(output.Capacity()) - 1 : 0;
    XmlWriter writer(&output, GrowText, output.Data(), start, capacity, stop);
    writer.Node(node, depth < XmlNode::kMaxText ? depth : XmlNode::kMaxText, 0);
    if (!writer.Base())
        return;  // nothing written, no buffer made
    const size_t used = writer.Used();
    output.SetLength(int(used < stop ? used : stop));
}

}  // namespace

void XmlNode::Write(cStr& output, int depth) const { WriteInto(output, *this, depth, INT_MAX); }

void XmlNode::WriteLimited(cStr& output, int depth, int limit) const { WriteInto(output, *this, depth, limit); }

bool XmlNode::ToBuffer(cStream& stream) {
    stream.Clear();
    cList<uint8_t>& bytes = stream.m_Bytes;
    XmlWriter writer(&bytes, GrowBytes, reinterpret_cast<char*>(bytes.Data()), 0, size_t(bytes.Capacity()),
                     size_t(kMaxText));
    writer.Node(*this, 0, 0);
    if (writer.Cut()) {
        stream.Clear();
        return false;
    }
    bytes.ResizeUnset(int(writer.Used()));
    stream.m_Position = stream.Count();
    return true;
}

}  // namespace tovan

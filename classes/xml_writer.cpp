#include <climits>
#include <cstring>

#include "classes/xml.h"

namespace tovan {

namespace {

// Appends to a string until a budget of characters is spent.
class Sink {
public:
    Sink(cStr& output, int limit) : m_Output(output), m_Left(limit) {}

    bool Full() const { return m_Left <= 0; }
    void Put(const char* text, int count) {
        if (count > m_Left)
            count = m_Left;
        if (count <= 0)
            return;
        m_Output.Append(text, count);
        m_Left -= count;
    }
    void Put(const cStr& text) { Put(text.GetText(), text.Length()); }
    void Indent(int depth) {
        static const char kSpaces[] = "                                                                ";
        constexpr int kRun = int(sizeof(kSpaces)) - 1;
        for (; depth > kRun && !Full(); depth -= kRun)
            Put(kSpaces, kRun);
        Put(kSpaces, depth);
    }
    void PutEscaped(const char* text, int length) {
        const char* end = text + length;
        while (text < end && !Full()) {
            const char* run = text;
            while (text < end && *text != '<' && *text != '>')
                ++text;
            Put(run, int(text - run));
            if (text < end) {
                Put(*text == '<' ? "&lt" : "&gt", 3);
                ++text;
            }
        }
    }

private:
    cStr& m_Output;
    int m_Left;
};

void WriteNode(Sink& sink, const XmlNode& node, int depth, int level) {
    const bool hasChildren = node.ChildCount() > 0 && level + 1 < XmlNode::kMaxDepth;
    sink.Indent(depth);
    sink.Put("<", 1);
    sink.Put(node.Name());
    sink.Put(hasChildren ? ">\n" : ">", hasChildren ? 2 : 1);
    if (!node.Text().IsEmpty()) {
        if (hasChildren)
            sink.Indent(depth + 1);
        sink.PutEscaped(node.Text().GetText(), node.Text().Length());
        if (hasChildren)
            sink.Put("\n", 1);
    }
    if (hasChildren) {
        for (int i = 0; i < node.ChildCount() && !sink.Full(); ++i)
            WriteNode(sink, *node.Child(i), depth + 1, level + 1);
        sink.Indent(depth);
    }
    sink.Put("</", 2);
    sink.Put(node.Name());
    sink.Put(">\n", 2);
}

}  // namespace

void EscapeXmlText(cStr& output, const char* text, int length) {
    Sink sink(output, INT_MAX);
    sink.PutEscaped(text, length);
}

void XmlNode::Write(cStr& output, int depth) const { WriteLimited(output, depth, INT_MAX); }

void XmlNode::WriteLimited(cStr& output, int depth, int limit) const {
    Sink sink(output, limit);
    WriteNode(sink, *this, depth, 0);
}

}  // namespace tovan

// The class engine's XML tree and its dialect: elements and text only, no
// attributes, declarations or comments; '<' and '>' in text are written as "&lt" and
// "&gt" (no ';'), nothing else is escaped; one space of indentation per level.
#pragma once
#include "core/list.h"
#include "core/str.h"

namespace tovan {

class cStream;

class XmlNode {
public:
    // Deeper trees are refused by the reader and cut by the writer.
    static constexpr int kMaxDepth = 1000;

    XmlNode() = default;
    ~XmlNode();  // frees the subtree
    XmlNode(const XmlNode&) = delete;
    XmlNode& operator=(const XmlNode&) = delete;

    static XmlNode* Create(const char* name);  // from the pooled allocator
    void Delete();                             // Clear, then back to the pool (Create's nodes only)
    void Clear();                              // children, name, text, scratch, list flag
    void RemoveChild(int i);

    int ChildCount() const { return m_Children.Count(); }
    XmlNode* Child(int i) const { return *m_Children.At(i); }
    void AddChild(XmlNode* child);

    const cStr& Name() const { return m_Name; }
    const cStr& Text() const { return m_Text; }
    void SetName(const char* name) { m_Name.SetText(name); }
    void SetText(const char* text);  // null: empty
    bool ListFlag() const { return m_ListFlag; }
    void SetListFlag(bool on) { m_ListFlag = on; }

    // Parses one element from text into this node: the characters consumed through
    // the '>' of its end tag, 0 for null or empty text, -1 for malformed text (the
    // partly built subtree stays; callers discard it).
    int Parse(const char* text);
    // Appends this element and its subtree, indented by depth spaces.
    void Write(cStr& output, int depth) const;
    // As Write, but stops once output holds more than limit characters.
    void WriteLimited(cStr& output, int depth, int limit) const;

    bool ParseBuffer(cStream& stream);  // from the stream's position
    bool LoadFile(const char* path);
    void ToBuffer(cStream& stream);  // the whole tree into an emptied stream

private:
    cStr m_Name;
    cList<XmlNode*> m_Children;
    cStr m_Text;
    cStr m_Scratch;
    bool m_ListFlag = false;
};

// The dialect's two escapes.
void EscapeXmlText(cStr& output, const char* text, int length);
void UnescapeXmlText(cStr& text);

}  // namespace tovan

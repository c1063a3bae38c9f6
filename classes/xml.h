// The class engine's XML tree and its dialect: elements and text only, no
// attributes, declarations or comments; '<' and '>' in text are written as "&lt" and
// "&gt" (no ';'), nothing else is escaped; one space of indentation per level.
//
// A tree takes all its memory (nodes, names, texts, child lists) from one arena
// that the root owns, so a parse allocates a few big blocks and freeing a tree
// gives back blocks, not nodes.
#pragma once
#include <cstdint>

#include "core/str.h"

namespace tovan {

class cStream;
class XmlArena;

// A name or text held by a tree: valid while its node keeps it unchanged. Never
// null and never holds a 0 byte (texts are cut at the first one).
class XmlText {
public:
    XmlText() = default;
    XmlText(const char* text, int length) : m_Text(text), m_Length(length) {}

    const char* GetText() const { return m_Text; }
    int Length() const { return m_Length; }
    bool IsEmpty() const { return m_Length == 0; }
    operator cStr() const { return cStr(m_Text, m_Length); }  // NOLINT: field types copy values out this way

private:
    const char* m_Text = "";
    int m_Length = 0;
};

bool operator==(XmlText a, XmlText b);
bool operator==(XmlText a, const char* b);
inline bool operator!=(XmlText a, XmlText b) { return !(a == b); }
inline bool operator!=(XmlText a, const char* b) { return !(a == b); }

class XmlNode {
public:
    // Deeper trees are refused by the reader and cut by the writer.
    static constexpr int kMaxDepth = 1000;
    // Longest text read or written: positions and lengths stay in an int.
    static constexpr int kMaxText = 0x40000000;

    XmlNode() = default;
    ~XmlNode();  // frees the tree's memory when this node owns it
    XmlNode(const XmlNode&) = delete;
    XmlNode& operator=(const XmlNode&) = delete;

    static XmlNode* Create(const char* name);  // from the pooled allocator, with memory of its own
    void Delete();                             // Clear, then back to the pool (Create's nodes only)
    // Children, name, text and list flag. A root keeps its arena's blocks for the
    // next parse or build; the destructor gives them back.
    void Clear();
    void RemoveChild(int i);

    int ChildCount() const { return m_ChildCount; }
    XmlNode* Child(int i) const { return m_Children[i]; }
    XmlNode* AddChild(const char* name);  // a new last child from this tree's memory
    void AddChild(XmlNode* child);        // a node from Create; the tree deletes it with itself

    XmlText Name() const { return {m_Name, m_NameLength}; }
    XmlText Text() const { return {m_Text, m_TextLength}; }
    void SetName(const char* name);  // null: empty
    void SetText(const char* text);  // null: empty
    bool ListFlag() const { return m_ListFlag; }
    void SetListFlag(bool on) { m_ListFlag = on; }

    // Parses one element from text into this node: the characters consumed through
    // the '>' of its end tag, 0 for null or empty text, -1 for malformed text (the
    // partly built subtree stays; callers discard it).
    int Parse(const char* text);
    // Appends this element and its subtree, indented by depth spaces; the output
    // stops at kMaxText characters.
    void Write(cStr& output, int depth) const;
    // As Write, but appends at most limit characters.
    void WriteLimited(cStr& output, int depth, int limit) const;

    bool ParseBuffer(cStream& stream);  // from the stream's position
    bool LoadFile(const char* path);
    // The whole tree into an emptied stream; false (and no bytes) when its text
    // would pass kMaxText.
    bool ToBuffer(cStream& stream);

private:
    friend class XmlReader;
    friend class XmlWriter;

    XmlArena& Memory();                                  // the tree's arena, made on first use by a root
    int ParseRange(const char* begin, const char* end);  // no 0 byte inside, at most kMaxText
    void SetChars(const char*& field, int32_t& length, const char* text, int count);
    void GrowChildren();

    const char* m_Name = "";
    const char* m_Text = "";
    XmlNode** m_Children = nullptr;
    XmlArena* m_Arena = nullptr;  // where this node's name, text and children live
    int32_t m_NameLength = 0;
    int32_t m_TextLength = 0;
    int32_t m_ChildCount = 0;
    int32_t m_ChildCapacity = 0;
    bool m_OwnsArena = false;  // a root: by value or from Create
    bool m_FromPool = false;
    bool m_ListFlag = false;
};

}  // namespace tovan

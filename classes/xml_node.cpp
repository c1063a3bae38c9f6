#include <cstring>
#include <new>

#include "classes/xml.h"
#include "classes/xml_arena.h"
#include "core/memory.h"

namespace tovan {

bool operator==(XmlText a, XmlText b) {
    return a.Length() == b.Length() && std::memcmp(a.GetText(), b.GetText(), size_t(a.Length())) == 0;
}

bool operator==(XmlText a, const char* b) {
    if (!b)
        b = "";
    return std::strncmp(a.GetText(), b, size_t(a.Length())) == 0 && b[a.Length()] == 0;
}

XmlNode* XmlNode::Create(const char* name) {
    XmlNode* node = new (PoolAlloc(int(sizeof(XmlNode)))) XmlNode;
    node->m_FromPool = true;
    node->SetName(name);
    return node;
}

void XmlNode::Delete() {
    if (!m_FromPool) {  // a node of an arena or on the stack: its owner frees the memory
        Clear();
        return;
    }
    this->~XmlNode();
    PoolFree(this, int(sizeof(XmlNode)));
}

XmlNode::~XmlNode() {
    if (m_OwnsArena)
        m_Arena->Destroy();
}

XmlArena& XmlNode::Memory() {
    if (!m_Arena) {
        m_Arena = XmlArena::Make();
        m_OwnsArena = true;
    }
    return *m_Arena;
}

void XmlNode::Clear() {
    if (m_OwnsArena)
        m_Arena->Reset();
    m_Name = "";
    m_Text = "";
    m_Children = nullptr;
    m_NameLength = 0;
    m_TextLength = 0;
    m_ChildCount = 0;
    m_ChildCapacity = 0;
    m_ListFlag = false;
}

// The child's memory stays in the arena until the tree is cleared or destroyed.
void XmlNode::RemoveChild(int i) {
    if (i < 0 || i >= m_ChildCount)
        return;
    std::memmove(m_Children + i, m_Children + i + 1, size_t(m_ChildCount - i - 1) * sizeof(XmlNode*));
    --m_ChildCount;
}

void XmlNode::GrowChildren() {
    const int capacity = m_ChildCount < 2 ? 4 : m_ChildCount * 2;
    XmlNode** children = static_cast<XmlNode**>(Memory().Alloc(size_t(capacity) * sizeof(XmlNode*)));
    if (m_ChildCount > 0)
        std::memcpy(children, m_Children, size_t(m_ChildCount) * sizeof(XmlNode*));
    m_Children = children;
    m_ChildCapacity = capacity;
}

XmlNode* XmlNode::AddChild(const char* name) {
    XmlArena& arena = Memory();
    if (m_ChildCount == m_ChildCapacity)
        GrowChildren();
    XmlNode* child = new (arena.Alloc(sizeof(XmlNode))) XmlNode;
    child->m_Arena = &arena;
    child->SetName(name);
    m_Children[m_ChildCount++] = child;
    return child;
}

void XmlNode::AddChild(XmlNode* child) {
    if (!child)
        return;
    XmlArena& arena = Memory();
    if (m_ChildCount == m_ChildCapacity)
        GrowChildren();
    m_Children[m_ChildCount++] = child;
    if (child->m_FromPool)
        arena.Adopt(child);
}

// Characters of a name or text: over the old ones when they fit (they are this
// node's own), else a fresh copy in the arena.
void XmlNode::SetChars(const char*& field, int32_t& length, const char* text, int count) {
    if (!text || count <= 0) {
        field = "";
        length = 0;
        return;
    }
    if (count <= length) {
        char* own = const_cast<char*>(field);
        std::memmove(own, text, size_t(count));
        own[count] = 0;
    } else {
        field = Memory().CopyText(text, size_t(count));
    }
    length = count;
}

namespace {
int CappedLength(const char* text) {
    if (!text)
        return 0;
    const size_t n = std::strlen(text);
    return n < size_t(XmlNode::kMaxText) ? int(n) : XmlNode::kMaxText;
}
}  // namespace

void XmlNode::SetName(const char* name) { SetChars(m_Name, m_NameLength, name, CappedLength(name)); }

void XmlNode::SetText(const char* text) { SetChars(m_Text, m_TextLength, text, CappedLength(text)); }

}  // namespace tovan

#include <new>

#include "classes/xml.h"
#include "core/memory.h"

namespace tovan {

XmlNode* XmlNode::Create(const char* name) {
    XmlNode* node = new (PoolAlloc(int(sizeof(XmlNode)))) XmlNode;
    if (name)
        node->m_Name.SetText(name);
    return node;
}

void XmlNode::Delete() {
    this->~XmlNode();
    PoolFree(this, int(sizeof(XmlNode)));
}

// The members free their own buffers; only children need the walk of Clear.
XmlNode::~XmlNode() {
    if (!m_Children.IsEmpty())
        Clear();
}

// Frees the subtree without recursion, using the child list itself as the work
// list, so no depth of tree can exhaust the stack.
void XmlNode::Clear() {
    while (!m_Children.IsEmpty()) {
        const int last = m_Children.Count() - 1;
        XmlNode* child = m_Children[last];
        m_Children.RemoveAt(last);
        m_Children.AppendRange(child->m_Children.Data(), child->m_Children.Count());
        child->m_Children.Free();
        child->Delete();
    }
    m_Children.Free();
    m_Name.Release();
    m_Text.Release();
    m_Scratch.Clear();  // kept for the next parse or write into this node
    m_ListFlag = false;
}

void XmlNode::RemoveChild(int i) {
    if (i < 0 || i >= m_Children.Count())
        return;
    XmlNode* child = m_Children[i];
    m_Children.RemoveAt(i);
    child->Delete();
}

void XmlNode::AddChild(XmlNode* child) { m_Children.PushBack(child); }

void XmlNode::SetText(const char* text) {
    if (text)
        m_Text.SetText(text);
    else
        m_Text.Clear();
}

}  // namespace tovan

// The memory of one XML tree: a chain of blocks handed out front to back, so a
// parse of many small nodes costs a few allocations, and a whole tree is freed by
// giving back its blocks. Nothing is freed on its own before the arena is reset.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/list.h"

namespace tovan {

class XmlNode;

class XmlArena {
public:
    static XmlArena* Make();  // lives in its own first block
    void Destroy();           // deletes the adopted nodes, frees every block

    // Forgets everything handed out (adopted nodes are deleted) and keeps the
    // blocks for what comes next.
    void Reset();

    // n bytes aligned for pointers.
    void* Alloc(size_t n) {
        const size_t pad = size_t(-reinterpret_cast<uintptr_t>(m_Cursor) & (kAlign - 1));
        if (size_t(m_End - m_Cursor) < n + pad)
            return AllocSlow(n, kAlign);
        char* at = m_Cursor + pad;
        m_Cursor = at + n;
        return at;
    }
    // n bytes for characters.
    char* AllocChars(size_t n) {
        if (size_t(m_End - m_Cursor) < n)
            return static_cast<char*>(AllocSlow(n, 1));
        char* at = m_Cursor;
        m_Cursor += n;
        return at;
    }
    // A copy of count characters with a 0 after them.
    char* CopyText(const char* text, size_t count);

    // A node from XmlNode::Create that now belongs to this tree: deleted when the
    // arena is reset or destroyed.
    void Adopt(XmlNode* node);

    // Children of the elements the reader has open, kept from parse to parse.
    cList<XmlNode*> m_Pending;

private:
    static constexpr size_t kAlign = alignof(void*) > 8 ? alignof(void*) : 8;
    static constexpr size_t kFirstBlock = 1024;
    static constexpr size_t kLargestBlock = size_t(16) << 20;

    struct Block {
        Block* next;
        size_t size;  // usable bytes after the header
        char* Data() { return reinterpret_cast<char*>(this) + kHeader; }
    };
    static constexpr size_t kHeader = (sizeof(Block) + kAlign - 1) & ~(kAlign - 1);
    struct Adopted {
        XmlNode* node;
        Adopted* next;
    };

    XmlArena() = default;
    ~XmlArena() = default;
    void* AllocSlow(size_t n, size_t align);
    static Block* NewBlock(size_t size);
    void Use(Block* block, size_t skip);
    void DeleteAdopted();

    Block* m_First = nullptr;
    Block* m_Current = nullptr;
    char* m_Cursor = nullptr;
    char* m_End = nullptr;
    size_t m_Total = 0;  // bytes in all blocks
    Adopted* m_Adopted = nullptr;
};

}  // namespace tovan

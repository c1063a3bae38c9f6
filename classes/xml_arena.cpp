#include "classes/xml_arena.h"

#include <cstring>
#include <new>

#include "classes/xml.h"

namespace tovan {

namespace {
constexpr size_t RoundUp(size_t n, size_t align) { return (n + align - 1) & ~(align - 1); }
}  // namespace

XmlArena::Block* XmlArena::NewBlock(size_t size) {
    Block* block = static_cast<Block*>(::operator new(kHeader + size));
    block->next = nullptr;
    block->size = size;
    return block;
}

XmlArena* XmlArena::Make() {
    Block* first = NewBlock(kFirstBlock);
    XmlArena* arena = new (first->Data()) XmlArena;
    arena->m_First = first;
    arena->m_Total = first->size;
    arena->Use(first, RoundUp(sizeof(XmlArena), kAlign));
    return arena;
}

void XmlArena::Use(Block* block, size_t skip) {
    m_Current = block;
    m_Cursor = block->Data() + skip;
    m_End = block->Data() + block->size;
}

void XmlArena::Destroy() {
    DeleteAdopted();
    Block* block = m_First;
    this->~XmlArena();  // lives in the first block: done with it before that goes
    while (block) {
        Block* next = block->next;
        ::operator delete(block);
        block = next;
    }
}

void XmlArena::Reset() {
    DeleteAdopted();
    m_Pending.DestroyItems();
    Use(m_First, RoundUp(sizeof(XmlArena), kAlign));
}

void XmlArena::DeleteAdopted() {
    Adopted* adopted = m_Adopted;
    m_Adopted = nullptr;
    for (; adopted; adopted = adopted->next)
        adopted->node->Delete();
}

// The next kept block that is big enough, else a new one at the end of the chain
// as big as all blocks so far (so their number stays logarithmic) up to a ceiling.
// Blocks start aligned, so n bytes always fit a block of n.
void* XmlArena::AllocSlow(size_t n, size_t align) {
    while (m_Current->next) {
        Use(m_Current->next, 0);
        if (m_Current->size >= n)
            return align > 1 ? Alloc(n) : AllocChars(n);
    }
    size_t size = m_Total < kLargestBlock ? m_Total : kLargestBlock;
    if (size < n)
        size = n;
    Block* block = NewBlock(size);
    m_Current->next = block;
    m_Total += size;
    Use(block, 0);
    return align > 1 ? Alloc(n) : AllocChars(n);
}

char* XmlArena::CopyText(const char* text, size_t count) {
    char* copy = AllocChars(count + 1);
    std::memcpy(copy, text, count);
    copy[count] = 0;
    return copy;
}

void XmlArena::Adopt(XmlNode* node) {
    Adopted* entry = static_cast<Adopted*>(Alloc(sizeof(Adopted)));
    entry->node = node;
    entry->next = m_Adopted;
    m_Adopted = entry;
}

}  // namespace tovan

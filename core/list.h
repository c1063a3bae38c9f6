// cList: the framework's growable array. It holds one heap block {count,
// capacity, items} or null when empty, grows to max(8, needed + capacity / 2)
// and never shrinks by itself. Every block allocated or freed moves a
// process-wide count of live blocks.
#pragma once
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <new>
#include <type_traits>
#include <utility>

namespace tovan {

// List blocks allocated and not yet freed, in the whole process.
int ListLiveBlocks();

namespace list_detail {
void* AllocBlock(size_t bytes);  // operator new, counted
void FreeBlock(void* block);     // operator delete, counted; null ignored
int GrownCapacity(int needed, int capacity);
size_t BlockBytes(size_t header, size_t itemSize, int capacity);
}  // namespace list_detail

// How a list moves, copies and destroys its items. Plain items are moved
// bitwise; others (cStr, nested lists) through constructors and destructors.
template <class T>
struct cList_Container {
    static constexpr bool kPlain = std::is_trivially_copyable_v<T>;

    // Moves n live items into raw memory; the sources are dead afterwards.
    static void Relocate(T* dst, T* src, int n) {
        if constexpr (kPlain) {
            if (n > 0)
                std::memcpy(static_cast<void*>(dst), src, size_t(n) * sizeof(T));
        } else {
            for (int i = 0; i < n; ++i) {
                new (dst + i) T(std::move(src[i]));
                src[i].~T();
            }
        }
    }
    static void Copy(T* dst, const T* src, int n) {
        if constexpr (kPlain) {
            if (n > 0)
                std::memcpy(static_cast<void*>(dst), src, size_t(n) * sizeof(T));
        } else {
            for (int i = 0; i < n; ++i)
                new (dst + i) T(src[i]);
        }
    }
    static void Fill(T* dst, int n, const T& value) {
        for (int i = 0; i < n; ++i)
            new (dst + i) T(value);
    }
    static void Destroy(T* items, int n) {
        if constexpr (!std::is_trivially_destructible_v<T>)
            for (int i = 0; i < n; ++i)
                items[i].~T();
    }
    // Opens a gap of n raw slots at index in a list of count live items
    // (capacity already allows count + n).
    static void OpenGap(T* items, int count, int index, int n) {
        if constexpr (kPlain) {
            std::memmove(static_cast<void*>(items + index + n), items + index, size_t(count - index) * sizeof(T));
        } else {
            for (int i = count - 1; i >= index; --i) {
                new (items + i + n) T(std::move(items[i]));
                items[i].~T();
            }
        }
    }
    // Closes the gap left by removing the live item at index.
    static void CloseGap(T* items, int count, int index) {
        if constexpr (kPlain) {
            // A tail that cannot be negative, so the size is visibly bounded.
            const int tail = count - index - 1;
            if (tail > 0)
                std::memmove(static_cast<void*>(items + index), items + index + 1, size_t(tail) * sizeof(T));
        } else {
            for (int i = index; i + 1 < count; ++i)
                items[i] = std::move(items[i + 1]);
            items[count - 1].~T();
        }
    }
};

template <class T, class Container = cList_Container<T>>
class cList {
public:
    cList() = default;
    cList(const cList& other) { AppendRange(other.Data(), other.Count()); }
    cList(cList&& other) noexcept : m_Block(other.m_Block) { other.m_Block = nullptr; }
    cList& operator=(const cList& other) {
        if (this != &other) {
            DestroyItems();
            AppendRange(other.Data(), other.Count());
        }
        return *this;
    }
    cList& operator=(cList&& other) noexcept {
        if (this != &other) {
            Free();
            m_Block = other.m_Block;
            other.m_Block = nullptr;
        }
        return *this;
    }
    ~cList() { Free(); }

    int Count() const { return m_Block ? m_Block->count : 0; }
    int Capacity() const { return m_Block ? m_Block->capacity : 0; }
    bool IsEmpty() const { return Count() == 0; }

    // Callers keep indices within [0, Count()). Builds with assertions check it:
    // an index past the count but inside the capacity reads a stale item that
    // no sanitizer sees.
    T* At(int index) { return Items() + Checked(index); }
    const T* At(int index) const { return Items() + Checked(index); }
    T& operator[](int index) { return Items()[Checked(index)]; }
    const T& operator[](int index) const { return Items()[Checked(index)]; }
    T* Data() { return m_Block ? Items() : nullptr; }
    const T* Data() const { return m_Block ? Items() : nullptr; }
    T* begin() { return Data(); }
    T* end() { return Data() + Count(); }
    const T* begin() const { return Data(); }
    const T* end() const { return Data() + Count(); }

    // Makes the capacity at least `needed`, by the growth rule.
    void Grow(int needed) {
        AppendWith(0, needed, [](T*) {});
    }

    int PushBack(const T& item) { return Emplace(item); }
    int PushBack(T&& item) { return Emplace(std::move(item)); }
    // Appends n copies after one growth; returns the last index.
    int PushBackRepeated(const T& item, int n) {
        if (n > 0)
            AppendWith(n, Count() + n, [&](T* dst) { Container::Fill(dst, n, item); });
        return Count() - 1;
    }
    void AppendRange(const T* items, int n) {
        if (n > 0)
            AppendWith(n, Count() + n, [&](T* dst) { Container::Copy(dst, items, n); });
    }

    // count = n; new items are copies of value, items beyond n are destroyed.
    void Resize(int n, const T& value = T()) {
        if (n < 0)
            n = 0;
        const int count = Count();
        if (n > count) {
            PushBackRepeated(value, n - count);
        } else if (n < count) {
            Container::Destroy(Items() + n, count - n);
            m_Block->count = n;
        }
    }

    // count = n with new items left unset, for plain items the caller then
    // overwrites whole (a decoder filling its output) and would pay twice for a fill.
    void ResizeUnset(int n) {
        static_assert(std::is_trivially_copyable_v<T>, "only plain items may stay unset");
        if (n > Count())
            AppendWith(n - Count(), n, [](T*) {});
        else
            Resize(n);
    }

    void RemoveAt(int index) {
        Container::CloseGap(Items(), Count(), Checked(index));
        --m_Block->count;
    }

    void Insert(int index, const T& item) {
        if (Owns(&item)) {  // the gap would move it
            T copy(item);
            InsertRange(index, &copy, 1);
        } else {
            InsertRange(index, &item, 1);
        }
    }
    void InsertRange(int index, const T* items, int n) {
        if (n <= 0)
            return;
        const int count = Count();
        if (index >= count) {
            AppendRange(items, n);
            return;
        }
        if (Owns(items)) {  // the gap would move the source
            cList copy;
            copy.AppendRange(items, n);
            InsertRange(index, copy.Data(), n);
            return;
        }
        Grow(count + n);
        Container::OpenGap(Items(), count, index, n);
        Container::Copy(Items() + index, items, n);
        m_Block->count = count + n;
    }

    int Find(const T& item) const {
        for (int i = 0; i < Count(); ++i)
            if (Items()[i] == item)
                return i;
        return -1;
    }
    template <class Equal>
    int Find(const T& item, Equal equal) const {
        for (int i = 0; i < Count(); ++i)
            if (equal(&Items()[i], &item))
                return i;
        return -1;
    }

    // Destroys the items and keeps the block.
    void DestroyItems() {
        if (!m_Block)
            return;
        Container::Destroy(Items(), m_Block->count);
        m_Block->count = 0;
    }
    // Destroys the items and frees the block; the list becomes null.
    void Free() {
        if (!m_Block)
            return;
        Container::Destroy(Items(), m_Block->count);
        list_detail::FreeBlock(m_Block);
        m_Block = nullptr;
    }

private:
    struct Block {
        int32_t count;
        int32_t capacity;
    };
    static constexpr size_t kHeader = alignof(T) > sizeof(Block) ? alignof(T) : sizeof(Block);
    static_assert(alignof(T) <= alignof(std::max_align_t), "list items must fit operator new alignment");

    int Checked(int index) const {
        assert(index >= 0 && index < Count() && "cList index out of range");
        return index;
    }
    static T* ItemsOf(Block* block) { return reinterpret_cast<T*>(reinterpret_cast<char*>(block) + kHeader); }
    T* Items() const { return ItemsOf(m_Block); }
    bool Owns(const T* item) const {
        std::less<const T*> less;
        return m_Block && !less(item, Items()) && less(item, Items() + Count());
    }

    // Appends one item built from source. Growth builds it before the old items
    // move, so the source may be an item of this list.
    template <class Source>
    int Emplace(Source&& source) {
        Block* block = m_Block;
        if (block && block->count < block->capacity) {  // the common case, kept small
            const int index = block->count;
            new (ItemsOf(block) + index) T(std::forward<Source>(source));
            block->count = index + 1;
            return index;
        }
        if constexpr (Container::kPlain && sizeof(T) <= 16)
            return EmplaceGrowing(T(source));  // by value: the caller's item stays in a register
        else
            return EmplaceGrowing(std::forward<Source>(source));
    }
    // Out of line, so that the common case above stays a few instructions.
    template <class Source>
    __attribute__((noinline)) int EmplaceGrowing(Source&& source) {
        AppendWith(1, Count() + 1, [&](T* dst) { new (dst) T(std::forward<Source>(source)); });
        return Count() - 1;
    }

    // Makes room for `needed` items and lets make() build `added` new items
    // after the old ones. When the block must move, make() runs before the old
    // items are relocated and the old block freed: its sources may live there.
    template <class Make>
    void AppendWith(int added, int needed, Make make) {
        const int count = Count();
        if (Capacity() >= needed) {
            if (added > 0) {
                make(Items() + count);
                m_Block->count = count + added;
            }
            return;
        }
        const int capacity = list_detail::GrownCapacity(needed, Capacity());
        Block* fresh =
            static_cast<Block*>(list_detail::AllocBlock(list_detail::BlockBytes(kHeader, sizeof(T), capacity)));
        fresh->capacity = capacity;
        make(ItemsOf(fresh) + count);
        if (m_Block) {
            Container::Relocate(ItemsOf(fresh), Items(), count);
            list_detail::FreeBlock(m_Block);
        }
        fresh->count = count + added;
        m_Block = fresh;
    }

    Block* m_Block = nullptr;
};

// Equality of two ints through their addresses, for searches in int lists.
inline bool EqualInts(const int* a, const int* b) { return *a == *b; }

}  // namespace tovan

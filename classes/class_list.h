// cClassList<T>: a reflected list that owns objects of class T (or of registered
// classes that inherit T's members). Its members are its items, so the engine writes,
// reads, copies and shows it like any compound object: each item is an element named
// by the item's class, and reading such an element creates an item of that class.
#pragma once
#include <cstdint>

#include "classes/class.h"
#include "classes/registry.h"
#include "core/list.h"

namespace tovan {

template <class T>
class cClassList : public cClass {
public:
    cClassList() = default;
    // The items are released with the list (once), then deleted.
    ~cClassList() override {
        ReleaseOnDestruction();
        DeleteItems();
    }

    static const char* StaticClassName() {
        static const cStr name = cStr::Format("cClassList.%s", T::StaticClassName());
        return name.GetText();
    }

    int Count() const { return m_Items.Count(); }
    T* At(int i) const { return i >= 0 && i < m_Items.Count() ? m_Items[i] : nullptr; }

    // Empties the list; while defaults are being reset the items stay and are Init-ed.
    void Init(void* value) override {
        cClassList* list = ListOf(value);
        if (!list)
            return;
        MarkInitialised(list);
        if (IsResettingDefaults()) {
            for (T* item : list->m_Items)
                if (item)
                    item->Init(static_cast<cClass*>(item));
            return;
        }
        list->DeleteItems();
    }
    const char* GetClassName() const override { return StaticClassName(); }
    int GetAmountOfMembers() override { return m_Items.Count(); }
    const char* GetMemberName(int i) override {
        if (i < 0 || i >= m_Items.Count())
            return nullptr;
        return m_Items[i] ? m_Items[i]->GetClassName() : "NULL";
    }
    cClass* GetMemberClass(int i) override { return At(i); }
    void* GetMemberPtr(int i, void*) override { return static_cast<cClass*>(At(i)); }
    void RemoveItems(int start, int count) override {
        if (start < 0 || count <= 0 || start >= m_Items.Count())
            return;
        if (count > m_Items.Count() - start)
            count = m_Items.Count() - start;
        const int total = m_Items.Count();
        for (int i = start; i < start + count; ++i)
            delete m_Items[i];
        for (int i = start + count; i < total; ++i)
            m_Items[i - count] = m_Items[i];
        m_Items.Resize(total - count);
    }
    bool IsCompound() const override { return true; }
    int AddItem(cClass* item) override {
        T* typed = dynamic_cast<T*>(item);
        if (!typed)
            return -1;
        item->SetOwner(this);
        return m_Items.PushBack(typed);
    }
    // Only T or a registered class that inherits T's members is created; a name
    // never adds a class to the registry.
    int AddNewItem(const char* className, void* object) override {
        const cClassDesc* desc = FindClassDescriptor(className);
        if (!desc || !desc->m_Prototype || !IsClassDerivedFrom(className, T::StaticClassName()))
            return -1;
        cClass* item = desc->m_Prototype->CreateInstance();
        if (!item)
            return -1;
        cClass* list = object ? static_cast<cClass*>(object) : this;
        item->SetOwner(list);
        if (list->AddItem(item) < 0) {
            delete item;
            return -1;
        }
        return list->GetAmountOfMembers() - 1;
    }
    int GetListFlags() override { return kListAddDerived; }
    int IndexOfItem(cClass* item) override {
        for (int i = 0; i < m_Items.Count(); ++i)
            if (static_cast<cClass*>(m_Items[i]) == item)
                return i;
        return -1;
    }
    const char* GetItemClassName() override { return T::StaticClassName(); }
    bool MoveItem(int index, int delta) override {
        const int step = int8_t(delta);
        if (step == 0)
            return true;
        const int other = index + step;
        if (index < 0 || index >= m_Items.Count() || other < 0 || other >= m_Items.Count())
            return false;
        T* held = m_Items[index];
        m_Items[index] = m_Items[other];
        m_Items[other] = held;
        return true;
    }
    // A deep copy: the destination gets new items equal to the source's.
    bool Copy(const void* source, uintptr_t, cClass*, void* destObject, uintptr_t) override {
        if (source == destObject)
            return true;
        const cClassList* from = ListOf(const_cast<void*>(source));
        cClassList* to = ListOf(destObject);
        if (!from || !to)
            return false;
        to->DeleteItems();
        for (T* item : from->m_Items) {
            if (!item)
                continue;
            cClass* copy = item->CreateInstance();
            if (!copy)
                continue;
            if (to->AddItem(copy) < 0) {
                delete copy;
                continue;
            }
            item->Copy(static_cast<cClass*>(item), 0, copy, copy, 0);
        }
        return true;
    }
    cClass* CreateInstance() override { return new cClassList(); }
    cClassDesc* GetClassDescriptor() override {
        static cClassDesc* cache = nullptr;
        return CachedClassDescriptor(cache, StaticClassName());
    }

private:
    static cClassList* ListOf(void* value) {
        return value ? dynamic_cast<cClassList*>(static_cast<cClass*>(value)) : nullptr;
    }
    void DeleteItems() {
        for (T* item : m_Items)
            delete item;
        m_Items.Free();
    }

    cList<T*> m_Items;
};

}  // namespace tovan

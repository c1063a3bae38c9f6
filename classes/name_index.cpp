#include "classes/registry.h"

#include <utility>

namespace tovan {

void cNameIndex::Add(const char* name) {
    if (!name)
        return;
    Entry entry;
    entry.name.SetText(name);
    entry.index = Count();
    m_Entries.PushBack(std::move(entry));
    Sort();
}

// Shell sort with halving gaps; equal names keep no particular order.
void cNameIndex::Sort() {
    const int n = m_Entries.Count();
    for (int gap = n / 2; gap >= 1; gap /= 2) {
        for (int i = gap; i < n; ++i) {
            Entry taken = std::move(m_Entries[i]);
            int j = i;
            for (; j >= gap && CompareStrings(m_Entries[j - gap].name.GetText(), taken.name.GetText()) > 0; j -= gap)
                m_Entries[j] = std::move(m_Entries[j - gap]);
            m_Entries[j] = std::move(taken);
        }
    }
}

int cNameIndex::Find(const char* name) const {
    const int n = m_Entries.Count();
    if (!name || n == 0)
        return -1;
    int lo = 0;
    int hi = n - 1;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (CompareStrings(name, m_Entries[mid].name.GetText()) > 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    const Entry& entry = m_Entries[lo];
    return CompareStrings(entry.name.GetText(), name) == 0 ? entry.index : -1;
}

}  // namespace tovan

#include "tests/support/guarded_page.h"

#include <windows.h>

#include <cstdlib>

namespace tovan::test {

GuardedPage::GuardedPage() {
    void* pages = VirtualAlloc(nullptr, 2 * kSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    DWORD old = 0;
    if (!pages || !VirtualProtect(static_cast<char*>(pages) + kSize, kSize, PAGE_NOACCESS, &old))
        std::abort();
    m_Page = static_cast<char*>(pages);
}

GuardedPage::~GuardedPage() { VirtualFree(m_Page, 0, MEM_RELEASE); }

}  // namespace tovan::test

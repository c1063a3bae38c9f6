#include "tests/support/guarded_page.h"

#include <sys/mman.h>

#include <cstdlib>

namespace tovan::test {

GuardedPage::GuardedPage() {
    void* pages = mmap(nullptr, 2 * kSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED || mprotect(static_cast<char*>(pages) + kSize, kSize, PROT_NONE) != 0)
        std::abort();
    m_Page = static_cast<char*>(pages);
}

GuardedPage::~GuardedPage() { munmap(m_Page, 2 * kSize); }

}  // namespace tovan::test

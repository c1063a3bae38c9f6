// One readable, writable page followed by one that faults on any access, for
// tests of code that reads ahead: nothing after End() may be touched.
#pragma once

namespace tovan::test {

class GuardedPage {
public:
    static constexpr int kSize = 4096;

    GuardedPage();
    ~GuardedPage();
    GuardedPage(const GuardedPage&) = delete;
    GuardedPage& operator=(const GuardedPage&) = delete;

    char* Begin() const { return m_Page; }
    char* End() const { return m_Page + kSize; }  // the first byte that faults

private:
    char* m_Page = nullptr;
};

}  // namespace tovan::test

// The clipboard belongs to the whole desktop, and the test programs run side by
// side: a test that checks what it put there holds this lock while it does, so
// no other test program replaces the text in between.
#pragma once

namespace tovan::test {

class ClipboardLock {
public:
    ClipboardLock();
    ~ClipboardLock();
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;

private:
    void* m_Mutex = nullptr;
};

}  // namespace tovan::test

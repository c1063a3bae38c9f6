// A plain top-level window for tests that need a window handle: a real
// overlapped window under wine, none (null) natively.
#pragma once

namespace tovan::test {

class TestWindow {
public:
    TestWindow();
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    void* Handle() const { return m_Handle; }

private:
    void* m_Handle = nullptr;
};

}  // namespace tovan::test

// What a drop asks of the platform, through the headless double: files raise
// the main window and are never read as text; a link is fetched without its
// query part, and only when a codec takes its extension.
#include "core/os_headless.h"
#include "io/io.h"
#include "tests/support/ui/frame_host.h"
#include "win32/drop_target.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovan {
namespace {

class FakeOffer : public cDropOffer {
public:
    FakeOffer(bool files, const char* text) : m_Files(files), m_Text(text) {}
    bool HasFiles() override {
        ++m_Asked;
        return m_Files;
    }
    cStr Text() override {
        ++m_TextAsked;
        return m_Text;
    }
    int m_Asked = 0, m_TextAsked = 0;

private:
    bool m_Files;
    cStr m_Text;
};

TEST(DropHeadless, FilesRaiseTheWindowLinksAreFetchedOnlyForACodec) {
    struct Case {
        bool files;
        const char* text;
        int textAsked;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {true, "http://h/a.bmp", 0, {"SetForegroundWindow"}},
        {false, "http://h/a.bmp?v=2", 1, {"InternetOpenUrl http://h/a.bmp"}},  // failed: the window stays
        {false, "http://h/a.xyz", 1, {}},
        {false, "", 1, {}},
    };
    cIO::Init();  // its own calls stay out of the records
    for (const Case& c : cases) {
        test::FrameHost host;
        os::headless::Reset();
        DroppedImage.Allocate(ImageFormat::Rgb8, 2, 2, 1, 1);
        PushInputEvent(NewMotionEvent(9, 9, 0, 0), false);
        FakeOffer offer(c.files, c.text);
        ReceiveDrop(offer);
        EXPECT_EQ(offer.m_Asked, 1) << c.text;
        EXPECT_EQ(offer.m_TextAsked, c.textAsked) << c.text;
        EXPECT_EQ(os::headless::TakeCalls(), c.calls) << c.text;
        EXPECT_EQ(DroppedImage.m_Format, ImageFormat::None) << c.text;  // emptied by every drop
        EXPECT_EQ(PopInputEvent(), nullptr) << c.text;
    }
}

}  // namespace
}  // namespace tovan

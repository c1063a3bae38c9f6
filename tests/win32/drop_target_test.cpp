// The drop target's portable rules: which dropped texts are fetched, under
// which link, and where a drop leaves the cursor and the input queue.
#include "classes/debug.h"
#include "io/io.h"
#include "tests/support/ui/frame_host.h"
#include "ui/input.h"
#include "win32/drop_target.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

TEST(DropLink, QueryCutThenExtensionNamesTheCodec) {
    struct Case {
        const char* text;
        const char* url;
        const char* codec;  // null: no codec, nothing to fetch
    };
    const Case cases[] = {
        {"http://h/a/pic.bmp", "http://h/a/pic.bmp", "Bmp"},
        {"http://h/pic.TGA?size=2&x.dds", "http://h/pic.TGA", "Tga"},  // the query's extension does not count
        {"http://h/pic.dds?", "http://h/pic.dds", "Dds"},
        {"http://h/pic.cpvr", "http://h/pic.cpvr", "cPvr"},
        {"http://h/pic.png", "http://h/pic.png", nullptr},  // no such codec here
        {"http://h/pic?x=a.bmp", "http://h/pic", nullptr},
        {"http://h.bmp/folder/", "http://h.bmp/folder/", nullptr},
        {"", "", nullptr},
    };
    for (const Case& c : cases) {
        cStr url("old");
        cIO::ImageCodec* codec = LinkImageCodec(c.text, url);
        EXPECT_STREQ(url.GetText(), c.url) << c.text;
        EXPECT_EQ(codec, c.codec ? cIO::FindImageCodec(c.codec) : nullptr) << c.text;
        EXPECT_EQ(codec != nullptr, c.codec != nullptr) << c.text;
    }
    cStr url;
    EXPECT_EQ(LinkImageCodec(nullptr, url), nullptr);
}

TEST(DropCursor, DrainsTheQueueAndLeavesTheCursorAtTheDropPoint) {
    test::FrameHost host;
    const int counted = cDebug::Instance()->m_InputEventsCount;
    PushInputEvent(NewMotionEvent(5, 6, 1, 1), false);
    PushInputEvent(NewKeyEvent(kKeyLeftButton, true, 5, 6), false);
    MoveCursorForDrop(120, 34);
    EXPECT_EQ(PopInputEvent(), nullptr);
    EXPECT_EQ(CursorPosition.x, 120);
    EXPECT_EQ(CursorPosition.y, 34);
    EXPECT_EQ(MouseDelta.x, 0);  // the drop's motion carries no delta
    EXPECT_EQ(cDebug::Instance()->m_InputEventsCount, counted + 3);
}

}  // namespace
}  // namespace tovan

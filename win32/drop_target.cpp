#include "win32/drop_target.h"

#include "core/stream.h"
#include "ui/input.h"
#include "win32/drop_platform.h"

namespace tovan {

cImage DroppedImage;

void MoveCursorForDrop(float x, float y) {
    PushInputEvent(NewMotionEvent(x, y, 0, 0), false);
    // Each pop brings the input globals up to date; the last one leaves the
    // cursor at the drop point.
    while (InputEvent* event = PopInputEvent())
        delete event;
}

cIO::ImageCodec* LinkImageCodec(const char* text, cStr& url) {
    url.SetText(text ? text : "");
    const int query = url.Find("?");
    if (query >= 0)
        url.SetLength(query);
    const cStr extension = url.GetExtension();
    if (extension.IsEmpty())
        return nullptr;
    return cIO::FindImageCodec(extension.GetText());
}

void ReceiveDrop(cDropOffer& offer) {
    const bool files = offer.HasFiles();
    DroppedImage.Clear();
    const cVec2 cursor = drop::CursorInGui();
    MoveCursorForDrop(cursor.x, cursor.y);
    if (files) {
        drop::BringMainWindowToFront();
        return;
    }
    const cStr text = offer.Text();
    if (text.IsEmpty())
        return;
    cStr url;
    cIO::ImageCodec* codec = LinkImageCodec(text.GetText(), url);
    if (!codec)
        return;
    cStream body;
    body.m_Name = url;
    if (!DownloadLink(url.GetText(), kLinkDownloadCap, body.m_Bytes) || body.Count() == 0)
        return;
    if (codec->Decode(body, DroppedImage))
        drop::BringMainWindowToFront();
    else
        DroppedImage.Clear();
}

}  // namespace tovan

// The framework's OLE drop target for the main window. A drop moves the
// framework's cursor to the drop point; dropped files bring the main window to
// the front; dropped text or a web link whose extension names an image codec
// is downloaded and decoded into DroppedImage. The application registers the
// target with its main window (RegisterDragDrop) if it wants drops, and revokes
// it before the window goes.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/str.h"
#include "io/codecs/image_codec.h"
#include "io/image/image.h"

namespace tovan {

// The picture of the last link drop, for the application; emptied at the
// start of every drop. Nothing in the framework reads it.
extern cImage DroppedImage;

// The one static target as an IDropTarget*; it counts no references.
void* GetDropTarget();

// What one drop offers, as the platform half reads it from the data object.
class cDropOffer {
public:
    // Whether it carries files; asked first, once.
    virtual bool HasFiles() = 0;
    // Its text, else its link; "" when it has neither. Asked only without files.
    virtual cStr Text() = 0;

protected:
    ~cDropOffer() = default;
};

// Everything a drop does after the data object has been asked for files.
void ReceiveDrop(cDropOffer& offer);

// Pushes a cursor motion to (x, y) in GUI space and drains the input queue, so
// that the cursor stands at the drop point and nothing stays queued.
void MoveCursorForDrop(float x, float y);

// The image codec a dropped text names by its extension once the query part
// (from the first '?') is cut off, and that cut text in `url`; null when the
// text has no extension or no codec of that name is registered.
cIO::ImageCodec* LinkImageCodec(const char* text, cStr& url);

// The largest body a link download takes; a longer one is refused whole.
constexpr int64_t kLinkDownloadCap = int64_t(64) << 20;

// Reads the whole body behind a link, one request with the agent "tovan" and
// "Accept: */*". False, with `body` empty, when the link cannot be opened, the
// server answers an HTTP status outside 200-299, the read fails or the body
// passes `cap` bytes.
bool DownloadLink(const char* url, int64_t cap, cList<uint8_t>& body);

}  // namespace tovan

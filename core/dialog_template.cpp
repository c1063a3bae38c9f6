#include "core/dialog_template.h"

#include "core/little_endian.h"
#include "core/os.h"

namespace tovan {

namespace {
constexpr int kItemCountOffset = 8;
constexpr int kShortText = 128;  // converted texts up to this many units need no heap
}  // namespace

void cDialogTemplate::Begin(const char* caption, uint32_t style, uint32_t extendedStyle, int width, int height,
                            const char* fontFace) {
    Free();
    Append32(fontFace ? style | kSetFont : style);
    Append32(extendedStyle);
    Append16(0);  // item count
    Append16(0);  // x
    Append16(0);  // y
    Append16(uint32_t(width));
    Append16(uint32_t(height));
    Append16(0);  // no menu
    Append16(0);  // standard dialog class
    AppendText(caption);
    if (fontFace) {
        Append16(kPointSize);
        AppendText(fontFace);
    }
}

void cDialogTemplate::AddItem(const char* className, const char* text, uint32_t style, int x, int y, int width,
                              int height, int id) {
    while (m_Bytes.Count() % 4 != 0)
        m_Bytes.PushBack(0);
    Append32(style | kChild);
    Append32(0);
    Append16(uint32_t(x));
    Append16(uint32_t(y));
    Append16(uint32_t(width));
    Append16(uint32_t(height));
    Append16(uint32_t(id));
    AppendText(className);
    AppendText(text);
    Append16(0);  // no creation data
    if (m_Bytes.Count() >= kItemCountOffset + 2) {
        StoreU16(m_Bytes.Data() + kItemCountOffset, uint16_t(ItemCount() + 1));
    }
}

void cDialogTemplate::Free() { m_Bytes.Free(); }

int cDialogTemplate::ItemCount() const {
    if (m_Bytes.Count() < kItemCountOffset + 2)
        return 0;
    return LoadU16(m_Bytes.Data() + kItemCountOffset);
}

void cDialogTemplate::Append16(uint32_t value) {
    uint8_t bytes[2];
    StoreU16(bytes, uint16_t(value));
    m_Bytes.AppendRange(bytes, 2);
}

void cDialogTemplate::Append32(uint32_t value) {
    Append16(value & 0xFFFF);
    Append16(value >> 16);
}

// A text that does not convert still takes its 0 unit: leaving it out would
// shift every later field and corrupt the template.
void cDialogTemplate::AppendText(const char* text) {
    int needed = os::AnsiToWide(text, nullptr, 0);
    if (needed <= 0) {
        Append16(0);
        return;
    }
    uint16_t shortUnits[kShortText];
    cList<uint16_t> longUnits;
    uint16_t* units = shortUnits;
    if (needed > kShortText) {
        longUnits.Resize(needed);
        units = longUnits.Data();
    }
    int written = os::AnsiToWide(text, units, needed);
    if (written <= 0) {
        Append16(0);
        return;
    }
    for (int i = 0; i < written; ++i)
        Append16(units[i]);
    if (units[written - 1] != 0)
        Append16(0);
}

}  // namespace tovan

// In-memory dialog templates: the binary DLGTEMPLATE / DLGITEMTEMPLATE form that
// DialogBoxIndirectParamA reads, so the framework ships no dialog resources.
// Numbers are little-endian, texts UTF-16 converted from the process code page.
#pragma once
#include <cstdint>

#include "core/list.h"

namespace tovan {

class cDialogTemplate {
public:
    static constexpr uint32_t kSetFont = 0x40;      // DS_SETFONT
    static constexpr uint32_t kChild = 0x40000000;  // WS_CHILD
    static constexpr uint16_t kPointSize = 8;

    // Frees any previous content and writes the header; with a face the
    // template carries point size 8 and that face, and DS_SETFONT is added.
    void Begin(const char* caption, uint32_t style, uint32_t extendedStyle, int width, int height,
               const char* fontFace);
    // Appends one control on the next 4-byte boundary and counts it in the header.
    void AddItem(const char* className, const char* text, uint32_t style, int x, int y, int width, int height, int id);
    void Free();

    const uint8_t* Data() const { return m_Bytes.Data(); }  // null when empty
    int Size() const { return m_Bytes.Count(); }
    int ItemCount() const;

private:
    void Append16(uint32_t value);
    void Append32(uint32_t value);
    void AppendText(const char* text);

    cList<uint8_t> m_Bytes;
};

}  // namespace tovan

// The process-wide table of loaded fonts, the font loader and the filter of
// typed text by the current font.
#include "core/log.h"
#include "core/os.h"
#include "core/render_device.h"
#include "io/font.h"
#include "io/io.h"
#include "io/io_state.h"

namespace tovan {

int32_t CurrentFont = -1;

namespace {

// Entries are never removed, so an index stays valid for the process.
cList<cFont> g_Fonts;

bool IsFile(const cStr& path) {
    const uint32_t attributes = os::FileAttributes(path.GetText());
    return attributes != os::kAttrInvalid && !(attributes & os::kAttrDirectory);
}

// Whether a source holds the file, asked the way SourceFolder reads it.
bool SourcesHold(const cStr& name) {
    IoState& io = GetIoState();
    for (int i = 0; i < io.sources.Count(); ++i) {
        cStr path = *(*io.sources.At(i))->Root();
        path.AppendPath(name.GetText());
        cStr twin = path;
        if ((cIO::RedirectToWriteFolder(twin) && IsFile(twin)) || IsFile(path))
            return true;
    }
    return false;
}

// The font generator writes a .bmp atlas when it has no png codec.
cStr AtlasPath(const char* name) {
    cStr png = cStr("Fonts/") + name + ".png";
    if (SourcesHold(png))
        return png;
    cStr bmp = cStr("Fonts/") + name + ".bmp";
    return SourcesHold(bmp) ? bmp : png;
}

}  // namespace

int32_t AddFont(const cFont& font) { return g_Fonts.PushBack(font); }

int32_t FontCount() { return g_Fonts.Count(); }

const cFont* GetFont(int32_t index) { return index >= 0 && index < g_Fonts.Count() ? g_Fonts.At(index) : nullptr; }

int32_t LoadFont(const char* name) {
    if (!name || !name[0])
        return -1;
    for (int i = 0; i < g_Fonts.Count(); ++i)
        if (CompareStringsNoCase(g_Fonts[i].m_Name.GetText(), name) == 0)
            return i;
    Log(" - Loading font \"%s\"...", name);
    cIO::Init();
    const cStr path = cStr("Fonts/") + name + ".cFont";
    cStream file;
    if (!cIO::ReadFromSources(path.GetText(), file)) {
        Warning("Can't load file \"%s\"", path.GetText());
        return -1;
    }
    cFont font;
    if (!ReadFontFile(file, font)) {
        Warning("Font format file \"%s\" has wrong size.", path.GetText());
        return -1;
    }
    Log("Loaded font format file \"%s\"", path.GetText());
    const cStr atlas = AtlasPath(name);
    font.m_Texture = RenderDevice ? RenderDevice->LoadTexture(atlas.GetText()) : -1;
    if (font.m_Texture == -1)
        return -1;
    RenderDevice->SetTextureSampler(font.m_Texture, -1);
    font.m_Name.SetText(name);
    return AddFont(font);
}

void StripMissingGlyphs(cStr& text) {
    const cFont* font = GetFont(CurrentFont);
    if (!font || text.IsEmpty())
        return;
    char* bytes = text.Data();
    int kept = 0;
    for (int i = 0; i < text.Length(); ++i)
        if (FindGlyph(font->m_Glyphs, uint16_t(int16_t(int8_t(bytes[i])))) >= 0)
            bytes[kept++] = bytes[i];
    text.SetLength(kept);
}

}  // namespace tovan

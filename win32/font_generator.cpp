// The font command's steps that do not touch the system: the required codes,
// the atlas size search, the file names and the two saves.
#include "win32/font_generator.h"

#include "core/log.h"
#include "io/codecs/image_codec.h"
#include "io/io.h"
#include "ui/input.h"
#include "win32/dialog_pause.h"
#include "win32/open_save_dialog.h"

namespace tovan {

namespace {

bool SaveNamed(const cStr& name, const cList<uint8_t>& bytes) {
    if (bytes.IsEmpty())
        return false;
    cIO::CreateFolders(name.GetText());
    return cIO::SaveFile(name.GetText(), bytes.Data(), bytes.Count(), false, true);
}

// The atlas as PNG when both codecs exist, else the BMP bytes as they are.
bool SaveAtlas(const char* name, const cList<uint8_t>& bmp) {
    cStr file = cStr::Format("Fonts/%s.bmp", name);
    cIO::ImageCodec* bmpCodec = cIO::FindImageCodec("bmp");
    cIO::ImageCodec* pngCodec = cIO::FindImageCodec("png");
    if (bmpCodec && pngCodec) {
        cStream in;
        in.m_Bytes = bmp;
        cImage image;
        cStream png;
        if (bmpCodec->Decode(in, image) && image.ConvertFormat(ImageFormat::R8) && pngCodec->Encode(image, png))
            return SaveNamed(cStr::Format("Fonts/%s.png", name), png.m_Bytes);
    }
    return SaveNamed(file, bmp);
}

}  // namespace

cStr cFontChoice::Face() const {
    const char* face = m_Font.faceName;
    int length = 0;
    while (length < int(sizeof(m_Font.faceName)) && face[length])
        ++length;
    return cStr(face, length);
}

cStr GeneratedFontName(const cFontChoice& choice) {
    cStr name = choice.Face();
    name.Append(" ");
    if (choice.m_Font.weight == 700)
        name.Append("B");
    if (choice.m_Font.italic)
        name.Append("I");
    name.AppendInt(choice.m_PointTenths / 10);
    return name;
}

bool GenerateFontFrom(cGlyphSource& source, const cCodeSet& required, const cFontChoice& choice) {
    cCodeSet supported;
    source.SupportedCodes(supported);
    cList<uint16_t> codes;
    FontGlyphCodes(required, supported, codes);

    cList<cFontGlyph> glyphs;
    const cAtlasSize* size = nullptr;
    for (const cAtlasSize& s : kFontAtlasSizes) {
        if (PackFontGlyphs(source, codes, s.m_Width, s.m_Height, glyphs, nullptr)) {
            size = &s;
            break;
        }
    }
    if (!size) {
        Warning("Can't generate font \"%s\" with such big size as \"%d\" pixels", choice.Face().GetText(),
                choice.m_PointTenths / 10);
        return false;
    }
    cGreyAtlas atlas;
    if (!atlas.Create(size->m_Width, size->m_Height) ||
        !PackFontGlyphs(source, codes, size->m_Width, size->m_Height, glyphs, &atlas))
        return false;

    const cStr name = GeneratedFontName(choice);
    const bool atlasSaved = SaveAtlas(name.GetText(), atlas.Bytes());
    cStream file;
    WriteFontFile(source, glyphs, file);
    const bool fontSaved = SaveNamed(cStr::Format("Fonts/%s.cFont", name.GetText()), file.m_Bytes);
    if (!atlasSaved || !fontSaved)
        return false;
    Log("Generated font \"%s\"", name.GetText());
    return true;
}

void AddRequiredCharacters(const cList<cStr>& files, cCodeSet& required) {
    for (int code = 0; code < 128; ++code)
        required.set(size_t(code));
    for (const cStr& path : files) {
        cStream bytes;
        if (!cIO::ReadFromSources(path.GetText(), bytes)) {
            Warning("Can't load file \"%s\"", path.GetText());
            continue;
        }
        // Text up to an invalid sequence still counts.
        const cStr text(reinterpret_cast<const char*>(bytes.Data()), bytes.Count());
        cList<uint16_t> units;
        text.ToUtf16(units);
        for (const uint16_t unit : units)
            required.set(unit);
    }
}

bool PickRequiredCharacterFiles(const char* extensions, cList<cStr>& results) {
    bool picked = false;
    {
        cDialogPause pause;
        OpenSaveDialog dialog;
        dialog.m_Title = "Select one or several files with required characters";
        SplitString(extensions ? extensions : "", dialog.m_Extensions, " ,;\t");
        dialog.m_InitialFolder = cIO::GetGenFontFolder();
        dialog.m_Results = &results;  // several files
        dialog.Setup();
        dialog.Run();
        picked = dialog.m_Succeeded;
        if (picked && !results.IsEmpty())
            cIO::SetKindFolder("GenFont", results[0].GetFolder().GetText());
    }
    ClearInputEvents();
    return picked;
}

bool GenerateFont() {
    cCodeSet required;
    cList<cStr> files;
    PickRequiredCharacterFiles("XML", files);
    AddRequiredCharacters(files, required);
    cFontChoice choice;
    if (!fontgen::ChooseSystemFont(choice))
        return false;
    std::unique_ptr<cGlyphSource> source = fontgen::OpenSystemFont(choice);
    if (!source)
        return false;
    return GenerateFontFrom(*source, required, choice);
}

}  // namespace tovan

#include "tools/data_build.h"

#include "core/log.h"
#include "core/stream.h"
#include "core/str.h"
#include "io/codecs/image_codec.h"
#include "io/image/image.h"
#include "io/io.h"
#include "tools/settings.h"
#include "win32/question_box.h"

namespace tovan {

namespace {
struct CopiedKind {
    const char* folder;
    const char* extension;
};

constexpr CopiedKind kCopied[] = {
    {"Models", "cModel"}, {"Models", "cAnim"}, {"Models", "cCamera"}, {"Models", "cBsp"}, {"Shaders", "glsl"},
    {"Xmls", "Xml"},      {"Fonts", "cFont"},  {"Fonts", "png"},      {"Sounds", "caf"},
};

constexpr const char* kIosTextureKind = "cPvr";

cStr Joined(const cStr& folder, const char* part) {
    cStr path = folder;
    path.AppendPath(part);
    return path;
}

// Where a file below sourceFolder goes below targetFolder.
cStr TargetPath(const cStr& file, const cStr& sourceFolder, const cStr& targetFolder) {
    cStr relative = cIO::ResolvePath(file.GetText());
    relative.MakeRelative(sourceFolder.GetText());
    return Joined(targetFolder, relative.GetText());
}

// A label is one folder-name suffix: without separators, a drive colon or dots
// alone it cannot name a folder that holds the data folder.
bool IsPlainLabel(const cStr& label) {
    if (label.IsEmpty() || label == "." || label == "..")
        return false;
    for (int i = 0; i < label.Length(); ++i)
        if (IsPathSeparator(label[i]) || label[i] == ':')
            return false;
    return true;
}

bool HoldsFolder(const cStr& outer, const cStr& inner) {
    return ComparePaths(inner.GetText(), outer.GetText(), outer.Length()) == 0 &&
           (inner.Length() == outer.Length() || IsPathSeparator(inner[outer.Length()]));
}

void CopyPass(const cStr& source, const cStr& target) {
    for (const CopiedKind& kind : kCopied) {
        const cStr sourceFolder = Joined(source, kind.folder);
        const cStr targetFolder = Joined(target, kind.folder);
        cList<cStr> files;
        cIO::ListFilesByExtension(sourceFolder.GetText(), files, kind.extension);
        for (const cStr& file : files) {
            cStream bytes;
            if (!cIO::ReadFromSources(file.GetText(), bytes)) {
                Warning("Can't load file \"%s\"", file.GetText());
                continue;
            }
            const cStr path = TargetPath(file, sourceFolder, targetFolder);
            cIO::CreateFolders(path.GetFolder().GetText());
            if (bytes.m_Bytes.Count() > 0)
                cIO::SaveFile(path.GetText(), bytes.m_Bytes.Data(), bytes.m_Bytes.Count(), false, true);
        }
    }
}

// Whether the codec of that kind can write images at all: asked once with a
// small plain image, so a missing encoder is reported once and not per texture.
bool CanEncode(const char* kind) {
    const cIO::ImageCodec* codec = cIO::FindImageCodec(kind);
    cImage probe;
    if (!codec || !probe.Allocate(ImageFormat::Rgba8, 4, 4, 1, 1))
        return false;
    cStream out;
    return codec->Encode(probe, out);
}

void TexturePass(const cStr& source, const cStr& target, bool includeNormalMaps) {
    if (!CanEncode(kIosTextureKind)) {
        Warning("Can't build textures: no encoder for \"%s\" images", kIosTextureKind);
        return;
    }
    const cStr sourceFolder = Joined(source, "Textures");
    const cStr targetFolder = Joined(target, "Textures");
    cList<cStr> files;
    cIO::ListFilesByExtension(sourceFolder.GetText(), files, "dds;bmp");
    for (const cStr& file : files) {
        const int length = file.Length();
        if (!includeNormalMaps && length >= 6 && CompareStringsNoCase(file.GetText() + length - 6, "_n.dds") == 0)
            continue;
        cImage image;
        if (!cIO::LoadImage(file.GetText(), image))
            continue;
        cStr path = TargetPath(file, sourceFolder, targetFolder);
        path.SetExtension(kIosTextureKind);
        cIO::CreateFolders(path.GetFolder().GetText());
        cIO::SaveImage(path.GetText(), image);
    }
}
}  // namespace

bool BuildPlatformData(int32_t platform, bool includeNormalMaps) {
    cStr source = *cIO::GetBaseFolder();
    while (source.Length() > 0 && IsPathSeparator(source[source.Length() - 1]))
        source.SetLength(source.Length() - 1);
    const cStr label = cSettings::EnumLabel(kPlatformEnum, platform);
    const cStr target = cStr::Format("%s.%s", source.GetText(), label.GetText());
    const cStr resolvedSource = cIO::ResolvePath(source.GetText());
    const cStr resolvedTarget = cIO::ResolvePath(target.GetText());
    // The build starts by removing the target tree: never one that is, or holds, the data.
    if (!IsPlainLabel(label) || HoldsFolder(resolvedTarget, resolvedSource)) {
        Warning("Can't build data for platform \"%s\" in folder \"%s\"", label.GetText(), target.GetText());
        return false;
    }
    if (!AskYesNo(cStr::Format("Confirm Build Data For %s", label.GetText()).GetText(),
                  "Are you sure you want to build data from folder \"%s\" for %s platform within folder \"%s\"?",
                  source.GetText(), label.GetText(), target.GetText()))
        return false;

    cIO::RemoveFolder(target.GetText());
    CopyPass(source, target);
    if (platform == int32_t(SettingsPlatform::Ios))
        TexturePass(source, target, includeNormalMaps);
    return true;
}

void cSettings::BuildData() { BuildPlatformData(m_BuildPlatform, m_IncludeNormalMaps); }

}  // namespace tovan

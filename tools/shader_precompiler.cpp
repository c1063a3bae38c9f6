#include "tools/shader_precompiler.h"

#include "core/log.h"
#include "core/stream.h"
#include "io/io.h"
#include "io/shader_source.h"
#include "tools/settings.h"
#include "win32/question_box.h"

namespace tovan {

namespace {
struct PrecompileTarget {
    const char* folder;  // never empty: clearing an empty name would clear the data folder
    const char* extension;
    const char* compiler;
    const char* vertexCommand;
    const char* pixelCommand;
};

constexpr PrecompileTarget kTargets[] = {
    {"Shaders/PC", "hlsl", "../Libs/PrecompileShaders/PC.exe", "/T vs_3_0 /Fo OBJ SRC", "/T ps_3_0 /Fo OBJ SRC"},
    {"Shaders/Xbox360", "hlsl", "../Libs/PrecompileShaders/Xbox360.exe", "\"SRC\" /Tvs_3_0 /Fo\"OBJ\"",
     "\"SRC\" /Tps_3_0 /Fo\"OBJ\""},
};

struct Variant {
    cStr prefix;  // "#define WORD\r\n" per word
    cStr description;
};

bool IsVariantEnd(const cStr& line) {
    return line == "// Vertex shader" || line == "// Fragment shader" || line == "// Pixel shader";
}

// The variant lines between "// Precompile" and the first stage marker; false
// when the file has no "// Precompile" line.
bool ReadVariants(cStream& file, cList<Variant>& variants) {
    cStr line;
    bool found = false;
    while (!found && file.ReadLine(line))
        found = line == "// Precompile";
    if (!found)
        return false;
    while (file.ReadLine(line) && !IsVariantEnd(line)) {
        cList<cStr> words;
        SplitString(line.GetText(), words, " ,;\t");
        if (words.Count() == 0)  // separators only: no variant
            continue;
        if (CompareStrings(words.At(0)->GetText(), "//", 2) == 0)
            continue;
        Variant variant;
        if (*words.At(0) != "NULL")
            for (const cStr& word : words)
                variant.prefix.AppendFormat("#define %s\r\n", word.GetText());
        bool seen = false;
        for (const Variant& earlier : variants)
            seen = seen || earlier.prefix == variant.prefix;
        if (seen)
            continue;
        variant.description = line;
        variant.description.TrimLeft(" ");
        variant.description.TrimRight(" ");
        variants.PushBack(variant);
    }
    return true;
}

// A path as one argument: one holding a blank is quoted where the template
// does not quote it already, or the compiler would see it split in two.
void AppendPath(cStr& command, const char* pattern, const char* at, const cStr& path) {
    const bool quote = path.Find(" ") >= 0 && (at == pattern || at[-1] != '"');
    if (quote)
        command += '"';
    command += path;
    if (quote)
        command += '"';
}

// The template with SRC and OBJ replaced in one pass, so that a path that
// holds either word is taken as it is.
cStr CommandLine(const char* pattern, const cStr& source, const cStr& output) {
    cStr command;
    for (const char* at = pattern; *at;) {
        if (CompareStrings(at, "SRC", 3) == 0) {
            AppendPath(command, pattern, at, source);
            at += 3;
        } else if (CompareStrings(at, "OBJ", 3) == 0) {
            AppendPath(command, pattern, at, output);
            at += 3;
        } else {
            command += *at++;
        }
    }
    return command;
}

bool Contains(const cList<cStr>& names, const cStr& name) {
    for (const cStr& taken : names)
        if (CompareStringsNoCase(taken.GetText(), name.GetText(), -1) == 0)
            return true;
    return false;
}

class Precompiler {
public:
    explicit Precompiler(const PrecompileTarget& target) : m_Target(target) {
        m_Scratch = cIO::ResolvePath(cStr::Format("%s/Temp.txt", target.folder).GetText());
    }

    void Run() {
        cList<cStr> stale;
        cIO::ListFiles(m_Target.folder, stale);
        for (const cStr& file : stale)
            cIO::DeleteFile(file.GetText());
        cIO::CreateFolders(m_Target.folder);

        cList<cStr> sources;
        cIO::ListFilesByExtension("Shaders", sources, m_Target.extension);
        for (int i = 0; i < sources.Count(); ++i)
            CompileFile(*sources.At(i), i);

        const cStr cache = cStr::Format("%s/Cache.txt", m_Target.folder);
        cIO::SaveFile(cache.GetText(), reinterpret_cast<const uint8_t*>(m_Cache.GetText()), m_Cache.Length(), false,
                      true);
        cIO::DeleteFile(m_Scratch.GetText());
    }

private:
    void CompileFile(const cStr& source, int fileNumber) {
        cStream file;
        if (!cIO::ReadFromSources(source.GetText(), file)) {
            Warning("Can't load file \"%s\"", source.GetText());
            return;
        }
        cList<Variant> variants;
        if (!ReadVariants(file, variants) || variants.Count() == 0)
            return;
        cStr vertex, geometry, pixel;
        int32_t vertexLine = 0, geometryLine = 0, pixelLine = 0;
        if (!SplitShaderSource(file.m_Bytes.Data(), file.m_Bytes.Count(), vertex, geometry, pixel, vertexLine,
                               geometryLine, pixelLine))
            return;
        for (int v = 0; v < variants.Count(); ++v) {
            const Variant& variant = *variants.At(v);
            const cStr name = UniqueName(fileNumber, v);
            if (!Compile(variant, vertex, name, "VS", m_Target.vertexCommand)) {
                Warning("Can't compile vertex shader \"%s\"%s%s", source.GetText(), "\r\n", variant.prefix.GetText());
                continue;
            }
            if (!Compile(variant, pixel, name, "PS", m_Target.pixelCommand)) {
                Warning("Can't compile pixel shader \"%s\"%s%s", source.GetText(), "\r\n", variant.prefix.GetText());
                continue;
            }
            m_Cache.AppendFormat("\r\n%s\r\n%s\r\n\r\n", variant.description.GetText(), name.GetText());
        }
    }

    // The rule's name, unless an earlier variant of this run took it: then the
    // file and variant numbers in full, which no rule name can equal.
    cStr UniqueName(int fileNumber, int variantNumber) {
        cStr name = ShaderOutputName(fileNumber, variantNumber);
        if (Contains(m_Names, name))
            name = cStr::Format("%08d_%d", fileNumber, variantNumber);
        m_Names.PushBack(name);
        return name;
    }

    bool Compile(const Variant& variant, const cStr& part, const cStr& name, const char* extension,
                 const char* pattern) {
        cStr text = variant.prefix;
        text += part;
        if (!cIO::WriteFile(m_Scratch.GetText(), reinterpret_cast<const uint8_t*>(text.GetText()), text.Length(),
                            false))
            return false;
        const cStr output =
            cIO::ResolvePath(cStr::Format("%s/%s.%s", m_Target.folder, name.GetText(), extension).GetText());
        const cStr command = CommandLine(pattern, m_Scratch, output);
        return cIO::RunAndWait(m_Target.compiler, command.GetText());
    }

    const PrecompileTarget& m_Target;
    cStr m_Scratch;
    cStr m_Cache;
    cList<cStr> m_Names;
};
}  // namespace

cStr ShaderOutputName(int fileNumber, int variantNumber) {
    cStr variant = variantNumber > 0 ? cStr::Format("%d", variantNumber) : cStr();
    cStr name = cStr::Format("%4s%d", variant.GetText(), fileNumber);
    name.Replace(" ", "0");
    int zeros = 0;
    while (zeros < name.Length() - 1 && name[zeros] == '0')
        ++zeros;
    const cStr rest(name.GetText() + zeros);
    cStr padded = cStr::Format("%8s", rest.GetText());
    padded.Replace(" ", "0");
    return padded;
}

void RunShaderPrecompiler(int32_t platform) {
    if (platform < 0 || platform >= int32_t(sizeof kTargets / sizeof kTargets[0]))
        return;
    Precompiler(kTargets[platform]).Run();
}

void cSettings::PrecompileShaders() {
    const cStr label = EnumLabel(kShadersPlatformEnum, m_ShadersPlatform);
    if (AskYesNo("Confirm Precompile Shaders", "Are you sure you want to precompile shaders for \"%s\" platform ?",
                 label.GetText()))
        RunShaderPrecompiler(m_ShadersPlatform);
}

}  // namespace tovan

#include "io/shader_source.h"

#include "core/log.h"
#include "io/io.h"

namespace tovan {

namespace {
struct Substitution {
    cStr find;
    cStr replace;
};

struct Substitutions {
    cList<Substitution*> pairs;
    ~Substitutions() { Clear(); }
    void Clear() {
        for (int i = 0; i < pairs.Count(); ++i)
            delete *pairs.At(i);
        pairs.Resize(0, nullptr);
    }
};

Substitutions& GetSubstitutions() {
    static Substitutions substitutions;
    return substitutions;
}

struct Marker {
    int position;  // -1 when the file has none
    int length;
};

Marker FindMarker(const cStr& text, const char* marker) {
    return {text.Find(marker, text.Length(), true), TextLength(marker)};
}

int LineOf(const char* text, int position) {
    int line = 1;
    for (int i = 0; i < position; ++i)
        if (text[i] == '\n')
            ++line;
    return line;
}
}  // namespace

bool LoadShaderSource(const char* name, cStr& vertex, cStr& geometry, cStr& fragment, int32_t& vertexLine,
                      int32_t& geometryLine, int32_t& fragmentLine) {
    vertexLine = geometryLine = fragmentLine = 1;
    cIO::Init();
    cStream file;
    if (!cIO::ReadFromSources(name, file)) {
        Warning("Can't load file \"%s\"", name);
        return false;
    }
    Log(" * Loading shader \"%s\"...", name);
    return SplitShaderSource(file.Data(), file.Count(), vertex, geometry, fragment, vertexLine, geometryLine,
                             fragmentLine);
}

bool SplitShaderSource(const uint8_t* source, int count, cStr& vertex, cStr& geometry, cStr& fragment,
                       int32_t& vertexLine, int32_t& geometryLine, int32_t& fragmentLine) {
    vertexLine = geometryLine = fragmentLine = 1;
    // The text ends at its first NUL byte.
    const char* bytes = source ? reinterpret_cast<const char*>(source) : "";
    int length = 0;
    while (length < count && bytes[length])
        ++length;
    cStr text;
    text.Assign(bytes, 0, length);

    Marker vertexMarker = FindMarker(text, "// Vertex shader");
    Marker geometryMarker = FindMarker(text, "// Geometry shader");
    Marker fragmentMarker = FindMarker(text, "// Fragment shader");
    if (fragmentMarker.position < 0)
        fragmentMarker = FindMarker(text, "// Pixel shader");

    // Each stage ends where the next marker begins.
    char* data = text.Data();
    for (const Marker* m : {&vertexMarker, &geometryMarker, &fragmentMarker})
        if (m->position >= 0)
            data[m->position] = 0;

    if (vertexMarker.position < 0) {
        Warning("No vertex shader found.");
        return false;
    }
    if (fragmentMarker.position < 0) {
        Warning("No fragment / pixel shader found");
        return false;
    }
    int vertexStart = vertexMarker.position + vertexMarker.length;
    // The fragment stage starts on the line after its marker.
    int fragmentStart = fragmentMarker.position + fragmentMarker.length;
    while (fragmentStart < length && data[fragmentStart] != '\n')
        ++fragmentStart;
    if (fragmentStart < length)
        ++fragmentStart;

    vertex.SetText(data + vertexStart);
    vertexLine = LineOf(data, vertexStart);
    geometry.SetText("");
    if (geometryMarker.position >= 0) {
        int geometryStart = geometryMarker.position + geometryMarker.length;
        geometry.SetText(data + geometryStart);
        geometryLine = LineOf(data, geometryStart);
    }
    fragment.SetText(data + fragmentStart);
    fragmentLine = LineOf(data, fragmentStart);

    cList<Substitution*>& pairs = GetSubstitutions().pairs;
    for (int i = 0; i < pairs.Count(); ++i) {
        const Substitution& s = **pairs.At(i);
        for (cStr* stage : {&vertex, &geometry, &fragment})
            stage->Replace(s.find.GetText(), s.replace.GetText(), stage->Length());
    }
    return true;
}

void AddShaderSubstitution(const char* find, const char* replace) {
    if (TextLength(find) == 0)
        return;  // an empty find text would match everywhere
    Substitution* pair = new Substitution;
    pair->find.SetText(find);
    pair->replace.SetText(replace);
    GetSubstitutions().pairs.PushBack(pair);
}

void ClearShaderSubstitutions() { GetSubstitutions().Clear(); }

}  // namespace tovan

// Reading OBJ text. The lines are read in place from the stream's bytes: a
// line's tokens are the runs between spaces and tabs (a material's name is
// the rest of its line), and a '#' (a comment) or a zero byte ends what is
// read of it. Numbers are read in the forms ParseInt and ParseFloat accept.
#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <unordered_map>

#include "core/log.h"
#include "io/codecs/model_codecs.h"
#include "io/codecs/obj_build.h"
#include "io/codecs/text_scan.h"

namespace tovan {

namespace {

using text::cSpan;

constexpr char kTooFewPositions[] = "cCodecObj: Too few position coordinates: \"%s\".";
constexpr char kTooFewTexCoords[] = "cCodecObj: Too few texture coordinates: \"%s\".";
constexpr char kTooFewNormals[] = "cCodecObj: Too few normal coordinates: \"%s\".";
constexpr char kTooFewCorners[] = "cCodecObj: Too few face indices: \"%s\".";
constexpr char kZeroIndex[] = "cCodecObj: Zero indices not allowed: \"%s\".";
constexpr char kPositionRange[] = "cCodecObj: Position index out of range: \"%s\".";
// These name the file: a model without a triangle would load as nothing.
constexpr char kEmptyFile[] = "cCodecObj: Empty file: \"%s\".";
constexpr char kUtf16[] = "cCodecObj: UTF-16 text is not read: \"%s\".";
constexpr char kNoTriangles[] = "cCodecObj: No triangles: \"%s\".";

enum : uint8_t { kPart = 0, kBlank = 1, kStop = 2 };

struct Classes {
    uint8_t of[256] = {};
    constexpr Classes() {
        of[uint8_t(' ')] = of[uint8_t('\t')] = kBlank;
        of[uint8_t('#')] = of[0] = kStop;
    }
};
constexpr Classes kClasses;

uint8_t ClassOf(char c) { return kClasses.of[uint8_t(c)]; }

// A cursor over the tokens of one line.
struct Tokens {
    const char* at;
    const char* end;

    // Moves to the next token; false when the line has no more.
    bool Next() {
        while (at < end && ClassOf(*at) == kBlank)
            ++at;
        return at < end && ClassOf(*at) == kPart;
    }
    // The token at the cursor, and the cursor past it.
    cSpan Take() {
        cSpan token{at, at};
        while (token.end < end && ClassOf(*token.end) == kPart)
            ++token.end;
        at = token.end;
        return token;
    }
    // Up to n numbers, one a token (a token that is no number reads as 0);
    // returns how many tokens there were.
    int Floats(float* out, int n) {
        int found = 0;
        for (; found < n && Next(); ++found) {
            text::ScanFloat(at, end, out[found]);
            Take();  // what of the token the number did not use
        }
        return found;
    }
};

class Reader {
public:
    explicit Reader(ObjGeometry& geometry) : m_Geometry(geometry) { AddMaterial("default"); }

    bool Line(const cSpan& line);
    bool Finish();

    bool AllTriangles() const { return m_AllTriangles; }
    int64_t Triangles() const { return m_Triangles; }

private:
    bool Fail(const char* format, const cSpan& line) {
        const cStr text(line.begin, line.Length());
        Warning(format, text.GetText());
        return false;
    }
    bool Face(Tokens& tokens, const cSpan& line);
    void Material(Tokens& tokens);
    int AddMaterial(const std::string& name) {
        const int index = m_Geometry.m_Materials.PushBack(cStr(name.c_str()));
        m_MaterialIndex.emplace(name, index);
        return index;
    }

    ObjGeometry& m_Geometry;
    std::unordered_map<std::string, int> m_MaterialIndex;
    int m_Current = 0;
    bool m_AllTriangles = true;
    int64_t m_Triangles = 0;
    // Position indices are checked once every "v" line is known: the largest
    // positive one, and the first negative one that reached before the start.
    int64_t m_Largest = -1;
    cSpan m_LargestLine;
    cSpan m_BeforeStartLine;
};

bool Reader::Line(const cSpan& line) {
    Tokens tokens{line.begin, line.end};
    if (!tokens.Next())
        return true;
    const cSpan keyword = tokens.Take();
    const char* k = keyword.begin;
    switch (keyword.Length()) {
    case 1:
        if (k[0] == 'v') {
            float v[3];
            if (tokens.Floats(v, 3) < 3)
                return Fail(kTooFewPositions, line);
            m_Geometry.m_Positions.PushBack({v[0], v[1], v[2]});
        } else if (k[0] == 'f') {
            return Face(tokens, line);
        }
        return true;
    case 2:
        if (k[0] == 'v' && k[1] == 't') {
            float uv[2];
            if (tokens.Floats(uv, 2) < 2)
                return Fail(kTooFewTexCoords, line);
            m_Geometry.m_TexCoords.PushBack({uv[0], uv[1]});
        } else if (k[0] == 'v' && k[1] == 'n') {
            float n[3];
            if (tokens.Floats(n, 3) < 3)
                return Fail(kTooFewNormals, line);
            m_Geometry.m_Normals.PushBack({n[0], n[1], n[2]});
        }
        return true;
    default:
        if (keyword.Is("usemtl"))
            Material(tokens);
        return true;  // "mtllib", "g", "o", "s" and the rest change nothing
    }
}

// An index as the file counts it (1 the first, -1 the last read so far) made
// 0-based; 0 stays 0.
int32_t ZeroBased(int32_t index, int count) {
    return index > 0 ? index - 1 : index < 0 ? int32_t(int64_t(index) + count) : 0;
}

bool Reader::Face(Tokens& tokens, const cSpan& line) {
    cList<ObjTriple>& polygons = m_Geometry.m_Polygons;
    const int header = polygons.PushBack({0, m_Current, 0});
    const int positions = m_Geometry.m_Positions.Count();
    int corners = 0;
    bool zero = false;
    for (; tokens.Next(); ++corners) {
        // position/texture/normal; empty and missing parts are 0, parts past the third are not read
        int32_t part[3] = {0, 0, 0};
        for (int k = 0;; ++k) {
            int32_t value = 0;
            text::ScanInt(tokens.at, tokens.end, value);
            if (k < 3)
                part[k] = value;
            while (tokens.at < tokens.end && ClassOf(*tokens.at) == kPart && *tokens.at != '/')
                ++tokens.at;
            if (tokens.at == tokens.end || *tokens.at != '/')
                break;
            ++tokens.at;
        }
        zero |= part[0] == 0;
        const int32_t position = ZeroBased(part[0], positions);
        if (part[0] > 0 && position > m_Largest) {
            m_Largest = position;
            m_LargestLine = line;
        } else if (position < 0 && !m_BeforeStartLine.begin) {
            m_BeforeStartLine = line;
        }
        polygons.PushBack({position, ZeroBased(part[1], m_Geometry.m_TexCoords.Count()),
                           ZeroBased(part[2], m_Geometry.m_Normals.Count())});
    }
    if (corners < 3)
        return Fail(kTooFewCorners, line);
    if (zero)
        return Fail(kZeroIndex, line);
    polygons[header].a = corners;
    m_AllTriangles &= corners == 3;
    m_Triangles += corners - 2;
    return true;
}

void Reader::Material(Tokens& tokens) {
    if (!tokens.Next())
        return;
    // The name is the rest of the line, blanks inside it kept: two materials
    // that share a first word stay apart.
    const char* end = tokens.at;
    for (const char* p = tokens.at; p < tokens.end && ClassOf(*p) != kStop; ++p)
        if (ClassOf(*p) == kPart)
            end = p + 1;
    const char* name = tokens.at;
    for (const char* p = tokens.at; p < end; ++p)
        if (*p == ':')
            name = p + 1;
    while (name < end && ClassOf(*name) == kBlank)  // "lib: Stone" names Stone
        ++name;
    const std::string material(name, end);
    if (m_Geometry.m_Polygons.IsEmpty()) {
        m_Geometry.m_Materials.Free();
        m_MaterialIndex.clear();
        m_Current = AddMaterial(material);
        return;
    }
    const auto found = m_MaterialIndex.find(material);
    m_Current = found != m_MaterialIndex.end() ? found->second : AddMaterial(material);
}

bool Reader::Finish() {
    if (m_BeforeStartLine.begin)
        return Fail(kPositionRange, m_BeforeStartLine);
    if (m_Largest >= m_Geometry.m_Positions.Count())
        return Fail(kPositionRange, m_LargestLine);
    return true;
}

// A first look over the bytes: lines beginning "v ", "vt", "vn" and "f ", so
// that the lists are made once at about their size instead of growing through
// copies. Only a guess (a line may begin with blanks, or end at a lone '\r'):
// the lists still grow past it, and each is capped by the bytes its entries
// take at the least.
void ReserveLists(const cStream& in, ObjGeometry& geometry) {
    const char* p = reinterpret_cast<const char*>(in.Data()) + in.m_Position;
    const char* end = reinterpret_cast<const char*>(in.Data()) + in.Count();
    int64_t positions = 0, texCoords = 0, normals = 0, faces = 0;
    while (end - p >= 2) {
        if (p[0] == 'v') {
            positions += p[1] == ' ';
            texCoords += p[1] == 't';
            normals += p[1] == 'n';
        } else {
            faces += p[0] == 'f' && p[1] == ' ';
        }
        const void* feed = std::memchr(p, '\n', size_t(end - p));
        if (!feed)
            break;
        p = static_cast<const char*>(feed) + 1;
    }
    const int64_t bytes = end - reinterpret_cast<const char*>(in.Data());
    const auto capped = [&](int64_t count, int64_t bytesEach) { return int(std::min(count, bytes / bytesEach)); };
    geometry.m_Positions.Grow(capped(positions, 6));
    geometry.m_TexCoords.Grow(capped(texCoords, 5));
    geometry.m_Normals.Grow(capped(normals, 7));
    geometry.m_Polygons.Grow(capped(4 * faces, 4));  // a triangle: a header and three corners
}

bool FailFile(const char* format, const cStream& in) {
    Warning(format, in.m_Name.GetText());
    return false;
}

// A byte-order mark of either UTF-16 order; without one such text fails on
// its first line anyway.
bool StartsAsUtf16(const cStream& in) {
    if (in.Count() - in.m_Position < 2)
        return false;
    const uint8_t* p = in.Data() + in.m_Position;
    return (p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF);
}

bool Read(cStream& in, cModel& model) {
    if (in.m_Position < 0 || in.m_Position >= in.Count())
        return FailFile(kEmptyFile, in);
    if (StartsAsUtf16(in))
        return FailFile(kUtf16, in);
    // Editors that save UTF-8 may put a byte-order mark first; read as part
    // of the first line it would drop that line and shift every index.
    if (in.Count() - in.m_Position >= 3 && std::memcmp(in.Data() + in.m_Position, "\xEF\xBB\xBF", 3) == 0)
        in.m_Position += 3;
    ObjGeometry geometry;
    ReserveLists(in, geometry);
    Reader reader(geometry);
    text::cLines lines(in);
    cSpan line;
    while (lines.Next(line))
        if (!reader.Line(line))
            return false;
    in.m_Position = in.Count();
    if (!reader.Finish())
        return false;
    if (reader.Triangles() == 0)
        return FailFile(kNoTriangles, in);
    return obj::BuildModel(geometry, reader.AllTriangles(), reader.Triangles(), model);
}

}  // namespace

bool cCodecObj::Decode(cStream& in, cModel& out) const { return text::RunDecode(in, out, Read); }

}  // namespace tovan

// Writing OBJ text: every vertex of every mesh as its own "v", "vt" and "vn"
// line, then per mesh a "usemtl" and a "g" line naming its material and its
// triangles. The "usemtl" line lets a saved model keep its materials, blanks
// and all, when it is read back; readers that do not know it pass over it.
#include <climits>
#include <cstring>

#include "io/codecs/model_codecs.h"
#include "io/codecs/codec_support.h"
#include "io/codecs/native_format.h"

namespace tovan {

namespace {

// Text past this length is refused: the next line might not fit a cStr.
constexpr int kTextLimit = INT_MAX - 2 * cStr::kFormatVLimit;

// The vertices a mesh is written with: its static list, or its skinned list
// when the static one is empty.
struct MeshVertices {
    const cModelStaticVertex* first;
    int count;
    int stride;  // bytes from one vertex to the next

    const cModelStaticVertex& operator[](int i) const {
        return *reinterpret_cast<const cModelStaticVertex*>(reinterpret_cast<const char*>(first) + int64_t(i) * stride);
    }
};

MeshVertices VerticesOf(const cModelMesh& mesh) {
    if (!mesh.m_StaticVertices.IsEmpty() || mesh.m_SkinnedVertices.IsEmpty())
        return {mesh.m_StaticVertices.Data(), mesh.m_StaticVertices.Count(), int(sizeof(cModelStaticVertex))};
    return {mesh.m_SkinnedVertices.Data(), mesh.m_SkinnedVertices.Count(), int(sizeof(cModelSkinnedVertex))};
}

// The material as written on a line: each byte of `replaced` becomes '_'. A
// line end inside a name would start a line of its own, so none stays.
cStr LineName(const cStr& material, const char* replaced) {
    cStr name = material;
    for (int i = 0; i < name.Length(); ++i)
        if (name[i] == '\r' || name[i] == '\n' || (name[i] != 0 && std::strchr(replaced, name[i])))
            name[i] = '_';
    return name;
}

// False when a line would not fit.
template <class Fn>
bool EachVertex(const cModel& model, cStr& text, Fn line) {
    for (const cModelMesh& mesh : model.m_Meshes) {
        const MeshVertices vertices = VerticesOf(mesh);
        for (int i = 0; i < vertices.count; ++i) {
            if (text.Length() > kTextLimit)
                return false;
            line(vertices[i]);
        }
    }
    return true;
}

bool Write(const cModel& model, cStr& text) {
    // Every index must name a vertex of its own mesh, and every written index fit "%d".
    int64_t total = 0, triangles = 0;
    for (const cModelMesh& mesh : model.m_Meshes) {
        const int count = VerticesOf(mesh).count;
        for (uint32_t index : mesh.m_Indices)
            if (index >= uint32_t(count))
                return false;
        total += count;
        triangles += mesh.m_Indices.Count() / 3;
    }
    if (total >= INT_MAX || triangles > INT_MAX)
        return false;

    text.Append("# Wavefront Obj file\r\n");
    text.AppendFormat("# %d vertices\r\n", int(total));
    text.Append("# Position\r\n");
    if (!EachVertex(model, text, [&](const cModelStaticVertex& v) {
            text.AppendFormat("v %f %f %f\r\n", v.m_Position.x, v.m_Position.y, v.m_Position.z);
        }))
        return false;
    text.Append("# TexCoord\r\n");
    if (!EachVertex(model, text, [&](const cModelStaticVertex& v) {
            text.AppendFormat("vt %f %f\r\n", v.m_TexCoord.x, v.m_TexCoord.y);
        }))
        return false;
    text.Append("# Normal\r\n");
    if (!EachVertex(model, text, [&](const cModelStaticVertex& v) {
            text.AppendFormat("vn %f %f %f\r\n", v.m_Normal.x, v.m_Normal.y, v.m_Normal.z);
        }))
        return false;
    text.AppendFormat("\r\n# %d tris\r\n", int(triangles));

    int base = 0;
    for (const cModelMesh& mesh : model.m_Meshes) {
        // The reader takes the rest of a "usemtl" line whole; a group is one token without '/'.
        const cStr material = LineName(mesh.m_Material, "");
        const cStr group = LineName(mesh.m_Material, " /");
        if (int64_t(text.Length()) + 2 * int64_t(material.Length()) > kTextLimit)
            return false;
        text.Append("usemtl ");
        text.Append(material);
        text.Append("\r\ng ");
        text.Append(group);
        text.Append("\r\n");
        const uint32_t* index = mesh.m_Indices.Data();
        for (int t = 0; t + 3 <= mesh.m_Indices.Count(); t += 3) {
            if (text.Length() > kTextLimit)
                return false;
            const int a = base + int(index[t]) + 1, b = base + int(index[t + 1]) + 1, c = base + int(index[t + 2]) + 1;
            text.AppendFormat("f %d/%d/%d %d/%d/%d %d/%d/%d\r\n", a, a, a, b, b, b, c, c, c);
        }
        base += VerticesOf(mesh).count;
    }
    return true;
}

}  // namespace

bool cCodecObj::Encode(const cModel& in, cStream& out) const {
    return native::RunEncode([&] {
        cStr text;
        if (!Write(in, text))
            return false;
        uint8_t* gap = codec::OpenGapUnset(out, text.Length());
        if (!gap)
            return false;
        std::memcpy(gap, text.GetText(), size_t(text.Length()));
        return true;
    });
}

}  // namespace tovan

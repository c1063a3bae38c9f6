// The native model file, little-endian without padding:
//   u16 magic 0x6D63 ("cm"); u8 index width (0: u16, 1: u32); i16 joint count;
//   joints: i16 name length, name bytes, i16 parent, 3 f32 position, 3 i16/32767 rotation x, y, z;
//   i16 mesh count; u8 static flag (1 static, 0 skinned);
//   meshes: name and material as joint names; i32 index count, the indices;
//           i32 vertex count, the vertices (38 bytes static, 50 skinned);
//   6 f32 bounds (min x, y, z, max x, y, z).
#include <cstring>

#include "io/codecs/model_codecs.h"
#include "io/codecs/codec_support.h"
#include "io/codecs/native_format.h"

namespace tovan {

namespace {

using namespace native;

constexpr uint16_t kMagic = 0x6D63;
constexpr int64_t kJointBytes = 2 + 2 + 12 + 6;  // with an empty name
constexpr int64_t kMeshBytes = 2 + 2 + 4 + 4;    // empty names and lists
// Position 3 f32, texture coordinate 2 f32, normal, tangent and bitangent 3 i16 each.
constexpr int kStaticBytes = 38;
// Then 4 u8 joint indices and 4 i16 weights.
constexpr int kSkinnedBytes = kStaticBytes + 4 + 8;

// --- decoding

cVec3 LoadUnit3(const uint8_t* p) {
    return {UnitValue(LoadI16(p)), UnitValue(LoadI16(p + 2)), UnitValue(LoadI16(p + 4))};
}

void LoadStatic(const uint8_t* p, cModelStaticVertex& v) {
    v.m_Position = {LoadF32(p), LoadF32(p + 4), LoadF32(p + 8)};
    v.m_TexCoord = {LoadF32(p + 12), LoadF32(p + 16)};
    v.m_Normal = LoadUnit3(p + 20);
    v.m_Tangent = LoadUnit3(p + 26);
    v.m_Bitangent = LoadUnit3(p + 32);
}

void LoadSkinned(const uint8_t* p, cModelSkinnedVertex& v) {
    LoadStatic(p, v);
    for (int i = 0; i < 4; ++i) {
        v.m_Joints[i] = float(p[kStaticBytes + i]);
        v.m_Weights[i] = UnitValue(LoadI16(p + kStaticBytes + 4 + 2 * i));
    }
}

template <class Vertex>
bool ReadVertices(cReader& r, cList<Vertex>& list, int vertexBytes, void (*load)(const uint8_t*, Vertex&)) {
    int32_t count;
    if (!r.Count(count, vertexBytes))
        return false;
    const uint8_t* p = r.Take(int64_t(count) * vertexBytes);
    if (!p)
        return false;
    list.ResizeUnset(count);
    Vertex* v = list.Data();
    for (int32_t i = 0; i < count; ++i, p += vertexBytes)
        load(p, v[i]);
    return true;
}

bool ReadMesh(cReader& r, cModelMesh& mesh, bool wide, bool isStatic) {
    int32_t indexCount;
    const int indexBytes = wide ? 4 : 2;
    if (!r.String(mesh.m_Name) || !r.String(mesh.m_Material) || !r.Count(indexCount, indexBytes))
        return false;
    const uint8_t* p = r.Take(int64_t(indexCount) * indexBytes);
    if (!p)
        return false;
    mesh.m_Indices.ResizeUnset(indexCount);
    uint32_t* index = mesh.m_Indices.Data();
    uint32_t largest = 0;
    for (int32_t i = 0; i < indexCount; ++i) {
        index[i] = wide ? LoadU32(p + 4 * i) : LoadU16(p + 2 * i);
        largest = index[i] > largest ? index[i] : largest;
    }
    const bool read = isStatic ? ReadVertices(r, mesh.m_StaticVertices, kStaticBytes, LoadStatic)
                               : ReadVertices(r, mesh.m_SkinnedVertices, kSkinnedBytes, LoadSkinned);
    const int vertices = isStatic ? mesh.m_StaticVertices.Count() : mesh.m_SkinnedVertices.Count();
    return read && (indexCount == 0 || largest < uint32_t(vertices));
}

bool ReadModel(cReader& r, cModel& model) {
    uint16_t magic;
    uint8_t width;
    int16_t jointCount;
    if (!r.U16(magic) || magic != kMagic || !r.U8(width) || width > 1 || !r.I16(jointCount) ||
        !r.Fits(jointCount, kJointBytes))
        return false;
    model.m_Joints.Resize(jointCount);
    for (cModelJoint& joint : model.m_Joints) {
        int16_t parent, q[3];
        if (!r.String(joint.m_Name) || !r.I16(parent) || parent < -1 || parent >= jointCount ||
            !r.Vec3(joint.m_Position) || !r.I16(q[0]) || !r.I16(q[1]) || !r.I16(q[2]))
            return false;
        joint.m_Parent = parent;
        const float x = UnitValue(q[0]), y = UnitValue(q[1]), z = UnitValue(q[2]);
        joint.m_Rotation = {x, y, z, RotationW(x, y, z)};
    }
    int16_t meshCount;
    uint8_t flag;
    if (!r.I16(meshCount) || !r.U8(flag) || flag > 1 || !r.Fits(meshCount, kMeshBytes))
        return false;
    model.m_Static = flag == 1;
    model.m_Meshes.Resize(meshCount);
    for (cModelMesh& mesh : model.m_Meshes)
        if (!ReadMesh(r, mesh, width == 1, model.m_Static))
            return false;
    return r.Vec3(model.m_Bounds.m_Min) && r.Vec3(model.m_Bounds.m_Max);
}

// --- encoding

// The list of a mesh the static flag selects, as counts and bytes.
struct MeshShape {
    int vertices;
    int vertexBytes;
    uint32_t largest;  // index
};

MeshShape ShapeOf(const cModel& model, const cModelMesh& mesh) {
    MeshShape shape{model.m_Static ? mesh.m_StaticVertices.Count() : mesh.m_SkinnedVertices.Count(),
                    model.m_Static ? kStaticBytes : kSkinnedBytes, 0};
    for (uint32_t index : mesh.m_Indices)
        shape.largest = index > shape.largest ? index : shape.largest;
    return shape;
}

// The file's size, or -1 when a field cannot hold its value or the decoder
// would refuse what it reads back.
int64_t MeasureModel(const cModel& model, bool& wide) {
    const int joints = model.m_Joints.Count(), meshes = model.m_Meshes.Count();
    if (joints > 32767 || meshes > 32767)
        return -1;
    int64_t size = 2 + 1 + 2 + 2 + 1 + 24;
    for (const cModelJoint& joint : model.m_Joints) {
        if (!TextFits(joint.m_Name) || joint.m_Parent < -1 || joint.m_Parent >= joints)
            return -1;
        size += kJointBytes + joint.m_Name.Length();
    }
    uint32_t largest = 0;
    for (const cModelMesh& mesh : model.m_Meshes) {
        if (!TextFits(mesh.m_Name) || !TextFits(mesh.m_Material))
            return -1;
        const MeshShape shape = ShapeOf(model, mesh);
        if (!mesh.m_Indices.IsEmpty() && shape.largest >= uint32_t(shape.vertices))
            return -1;
        largest = shape.largest > largest ? shape.largest : largest;
        size +=
            kMeshBytes + mesh.m_Name.Length() + mesh.m_Material.Length() + int64_t(shape.vertices) * shape.vertexBytes;
    }
    wide = largest > 0xFFFF;
    for (const cModelMesh& mesh : model.m_Meshes)
        size += int64_t(mesh.m_Indices.Count()) * (wide ? 4 : 2);
    return size;
}

void StoreUnit3(uint8_t* p, const cVec3& v) {
    StoreI16(p, Quantize(v.x, kUnitScale));
    StoreI16(p + 2, Quantize(v.y, kUnitScale));
    StoreI16(p + 4, Quantize(v.z, kUnitScale));
}

void StoreStatic(uint8_t* p, const cModelStaticVertex& v) {
    StoreF32(p, v.m_Position.x);
    StoreF32(p + 4, v.m_Position.y);
    StoreF32(p + 8, v.m_Position.z);
    StoreF32(p + 12, v.m_TexCoord.x);
    StoreF32(p + 16, v.m_TexCoord.y);
    StoreUnit3(p + 20, v.m_Normal);
    StoreUnit3(p + 26, v.m_Tangent);
    StoreUnit3(p + 32, v.m_Bitangent);
}

void StoreSkinned(uint8_t* p, const cModelSkinnedVertex& v) {
    StoreStatic(p, v);
    for (int i = 0; i < 4; ++i) {
        p[kStaticBytes + i] = JointByte(v.m_Joints[i]);
        StoreI16(p + kStaticBytes + 4 + 2 * i, Quantize(v.m_Weights[i], kUnitScale));
    }
}

template <class Vertex>
void StoreVertices(cByteWriter& w, const cList<Vertex>& list, int vertexBytes, void (*store)(uint8_t*, const Vertex&)) {
    w.I32(list.Count());
    uint8_t* p = w.Take(int64_t(list.Count()) * vertexBytes);
    for (const Vertex& v : list) {
        store(p, v);
        p += vertexBytes;
    }
}

void StoreModel(cByteWriter& w, const cModel& model, bool wide) {
    w.U16(kMagic);
    w.U8(wide ? 1 : 0);
    w.U16(uint16_t(model.m_Joints.Count()));
    for (const cModelJoint& joint : model.m_Joints) {
        Text(w, joint.m_Name);
        w.U16(uint16_t(joint.m_Parent));
        w.F32(joint.m_Position.x);
        w.F32(joint.m_Position.y);
        w.F32(joint.m_Position.z);
        // The same rotation with w >= 0, whose w the reader can rebuild.
        const cQuat& q = joint.m_Rotation;
        StoreUnit3(w.Take(6), q.w < 0 ? cVec3{-q.x, -q.y, -q.z} : cVec3{q.x, q.y, q.z});
    }
    w.U16(uint16_t(model.m_Meshes.Count()));
    w.U8(model.m_Static ? 1 : 0);
    for (const cModelMesh& mesh : model.m_Meshes) {
        Text(w, mesh.m_Name);
        Text(w, mesh.m_Material);
        w.I32(mesh.m_Indices.Count());
        uint8_t* p = w.Take(int64_t(mesh.m_Indices.Count()) * (wide ? 4 : 2));
        for (uint32_t index : mesh.m_Indices) {
            if (wide)
                StoreU32(p, index);
            else
                StoreU16(p, uint16_t(index));
            p += wide ? 4 : 2;
        }
        if (model.m_Static)
            StoreVertices(w, mesh.m_StaticVertices, kStaticBytes, StoreStatic);
        else
            StoreVertices(w, mesh.m_SkinnedVertices, kSkinnedBytes, StoreSkinned);
    }
    const cBounds& b = model.m_Bounds;
    for (float v : {b.m_Min.x, b.m_Min.y, b.m_Min.z, b.m_Max.x, b.m_Max.y, b.m_Max.z})
        w.F32(v);
}

}  // namespace

bool cCodecModel::Decode(cStream& in, cModel& out) const { return RunDecode(in, out, ReadModel); }

bool cCodecModel::Encode(const cModel& in, cStream& out) const {
    return RunEncode([&] {
        bool wide = false;
        const int64_t size = MeasureModel(in, wide);
        uint8_t* gap = size < 0 ? nullptr : codec::OpenGapUnset(out, size);
        if (!gap)
            return false;
        cByteWriter w(gap);
        StoreModel(w, in, wide);
        return true;
    });
}

}  // namespace tovan

// cModel: the in-memory polygon model. A skeleton of joints and a list of
// meshes, each with its material, triangle indices and either static or
// skinned vertices (the model's static flag says which list every operation
// uses), and the model's bounds. The native "cm" codec, the OBJ and md5mesh
// readers fill it; the mesh operations below derive normals, tangents, bounds
// and texture indices and upload the meshes to the render device.
#pragma once
#include <cstdint>

#include "core/bounds.h"
#include "core/list.h"
#include "core/mat.h"
#include "core/quat.h"
#include "core/str.h"
#include "core/vec.h"

namespace tovan {

struct cModelJoint {
    cStr m_Name;
    int32_t m_Parent = -1;  // -1: a root
    cVec3 m_Position;
    cQuat m_Rotation;
};

// The 14 floats every vertex begins with.
struct cModelStaticVertex {
    cVec3 m_Position;
    cVec3 m_Normal;
    cVec2 m_TexCoord;
    cVec3 m_Tangent;
    cVec3 m_Bitangent;
};

// The static fields, then four joint indices held as floats (0 to 255) and
// four weights; the mesh operations copy and upload the skinning data but
// never change it.
struct cModelSkinnedVertex : cModelStaticVertex {
    float m_Joints[4] = {};
    float m_Weights[4] = {};
};

static_assert(sizeof(cModelStaticVertex) == 56 && sizeof(cModelSkinnedVertex) == 88, "the device reads these layouts");

class cModelMesh {
public:
    cModelMesh() = default;
    // A copy is never uploaded: its buffer ids are -1.
    cModelMesh(const cModelMesh& other);
    cModelMesh& operator=(const cModelMesh& other);
    // A move hands the buffers over.
    cModelMesh(cModelMesh&& other) noexcept;
    cModelMesh& operator=(cModelMesh&& other) noexcept;
    ~cModelMesh();

    // Drops the buffer ids (telling the device when the release policy says so).
    void DropBuffers();

    cStr m_Name;
    cStr m_Material;
    int32_t m_TextureIndex = -1;  // from the material; not stored in files
    cList<uint32_t> m_Indices;    // three per triangle
    cList<cModelStaticVertex> m_StaticVertices;
    cList<cModelSkinnedVertex> m_SkinnedVertices;
    int32_t m_VertexBuffer = -1;  // -1: not uploaded
    int32_t m_IndexBuffer = -1;
};

class cModel {
public:
    cModel() = default;
    cModel(const cModel& other) { Copy(*this, other); }
    cModel& operator=(const cModel& other) {
        Copy(*this, other);
        return *this;
    }
    // A move hands the meshes over with their buffers; the source ends cleared.
    cModel(cModel&& other) noexcept;
    cModel& operator=(cModel&& other) noexcept;
    ~cModel() { Clear(); }

    // Buffer ids dropped, static flag true, lists freed, bounds empty.
    void Clear();

    // --- mesh operations; each works on the vertex list the static flag selects
    // Deep copy; every mesh of `to` ends without buffers.
    static void Copy(cModel& to, const cModel& from);
    // Area-weighted normals from the triangles.
    static void ComputeNormals(cModel& model);
    // Tangents and bitangents from the triangles and texture coordinates.
    static void ComputeTangents(cModel& model);
    // The box of every vertex, each axis at least 0.1 deep.
    static void ComputeBounds(cModel& model);
    static int32_t CountTriangles(const cModel& model);
    // Positions by m (divided by w), rotations by m's rotation, normals by its
    // normal matrix; then the bounds again.
    static void Transform(cModel& model, const cMat4& m);
    // Creates each mesh's vertex and index buffer on the render device.
    static void UploadBuffers(cModel& model);

    bool m_Static = true;
    cList<cModelJoint> m_Joints;
    cList<cMat4> m_JointMatrices;  // not stored in files
    cList<cModelMesh> m_Meshes;
    cBounds m_Bounds;
};

// Whether dropping a mesh's buffers (clear, copy over, destruction) releases
// them on the render device. Off by default; the console program turns it on
// at its entry, the windowed program leaves the device's buffers alone.
void SetReleaseMeshBuffers(bool release);
bool GetReleaseMeshBuffers();

}  // namespace tovan

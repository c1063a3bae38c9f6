// Bounds, triangle count, transformation and upload of a model's meshes.
#include <climits>

#include "core/render_device.h"
#include "io/model/mesh_math.h"
#include "io/model/model.h"

namespace tovan {

namespace {

constexpr float kMinExtent = 0.1f;

// Calls fn(mesh, vertices, count) with the list the static flag selects.
template <class Model, class Fn>
void ForEachVertexList(Model& model, Fn fn) {
    for (auto& mesh : model.m_Meshes) {
        if (model.m_Static)
            fn(mesh, mesh.m_StaticVertices);
        else
            fn(mesh, mesh.m_SkinnedVertices);
    }
}

// True when every index names a vertex of a list of n.
bool IndicesWithin(const cList<uint32_t>& indices, int n) {
    uint32_t largest = 0;
    for (uint32_t index : indices)
        largest = index > largest ? index : largest;
    return largest < uint32_t(n);
}

}  // namespace

void cModel::ComputeBounds(cModel& model) {
    cBounds& bounds = model.m_Bounds;
    bounds.SetEmpty();
    ForEachVertexList(model, [&](cModelMesh&, auto& vertices) {
        for (const auto& v : vertices)
            bounds.Add(v.m_Position);
    });
    if (bounds.m_Min.x > bounds.m_Max.x || bounds.m_Min.y > bounds.m_Max.y)
        return;  // no vertices: the box stays empty
    for (int axis = 0; axis < 3; ++axis)
        if (bounds.m_Max[axis] - bounds.m_Min[axis] < kMinExtent)
            bounds.m_Max[axis] = bounds.m_Min[axis] + kMinExtent;
}

int32_t cModel::CountTriangles(const cModel& model) {
    int64_t count = 0;
    for (const cModelMesh& mesh : model.m_Meshes)
        count += mesh.m_Indices.Count() / 3;
    return count > INT_MAX ? INT_MAX : int32_t(count);
}

void cModel::Transform(cModel& model, const cMat4& m) {
    const cQuat rotation = m.GetUpper3x3().ToQuat();
    for (cModelJoint& joint : model.m_Joints) {
        joint.m_Position = m.TransformPoint(joint.m_Position);
        joint.m_Rotation = rotation * joint.m_Rotation;
    }
    const cMat3 normals = m.GetNormalMatrix();
    ForEachVertexList(model, [&](cModelMesh&, auto& vertices) {
        for (auto& v : vertices) {
            v.m_Position = m.TransformPoint(v.m_Position);
            v.m_Normal = mesh::UnitOrDefault(normals.Transform(v.m_Normal));
            v.m_Tangent = mesh::UnitOrDefault(normals.Transform(v.m_Tangent));
            v.m_Bitangent = mesh::UnitOrDefault(normals.Transform(v.m_Bitangent));
        }
    });
    ComputeBounds(model);
}

void cModel::UploadBuffers(cModel& model) {
    ForEachVertexList(model, [&](cModelMesh& mesh, auto& vertices) {
        mesh.DropBuffers();
        if (!RenderDevice || mesh.m_Indices.IsEmpty() || vertices.IsEmpty())
            return;
        // A device must never be handed indices past its vertex buffer, nor a
        // byte count that does not fit its int.
        const int64_t bytes = int64_t(vertices.Count()) * int64_t(sizeof(vertices[0]));
        if (bytes > INT_MAX || !IndicesWithin(mesh.m_Indices, vertices.Count()))
            return;
        mesh.m_VertexBuffer = RenderDevice->CreateVertexBuffer(vertices.Data(), int(bytes));
        mesh.m_IndexBuffer = RenderDevice->CreateIndexBuffer(mesh.m_Indices.Data(), mesh.m_Indices.Count(), 4);
    });
}

}  // namespace tovan

#include "io/model/model.h"

#include <utility>

#include "core/render_device.h"

namespace tovan {

namespace {
bool s_ReleaseMeshBuffers = false;
}

void SetReleaseMeshBuffers(bool release) { s_ReleaseMeshBuffers = release; }
bool GetReleaseMeshBuffers() { return s_ReleaseMeshBuffers; }

void cModelMesh::DropBuffers() {
    if (s_ReleaseMeshBuffers && RenderDevice) {
        if (m_VertexBuffer != -1)
            RenderDevice->ReleaseVertexBuffer(m_VertexBuffer);
        if (m_IndexBuffer != -1)
            RenderDevice->ReleaseIndexBuffer(m_IndexBuffer);
    }
    m_VertexBuffer = -1;
    m_IndexBuffer = -1;
}

cModelMesh::cModelMesh(const cModelMesh& other)
    : m_Name(other.m_Name),
      m_Material(other.m_Material),
      m_TextureIndex(other.m_TextureIndex),
      m_Indices(other.m_Indices),
      m_StaticVertices(other.m_StaticVertices),
      m_SkinnedVertices(other.m_SkinnedVertices) {}

cModelMesh& cModelMesh::operator=(const cModelMesh& other) {
    if (this != &other) {
        DropBuffers();
        m_Name = other.m_Name;
        m_Material = other.m_Material;
        m_TextureIndex = other.m_TextureIndex;
        m_Indices = other.m_Indices;
        m_StaticVertices = other.m_StaticVertices;
        m_SkinnedVertices = other.m_SkinnedVertices;
    }
    return *this;
}

cModelMesh::cModelMesh(cModelMesh&& other) noexcept
    : m_Name(std::move(other.m_Name)),
      m_Material(std::move(other.m_Material)),
      m_TextureIndex(other.m_TextureIndex),
      m_Indices(std::move(other.m_Indices)),
      m_StaticVertices(std::move(other.m_StaticVertices)),
      m_SkinnedVertices(std::move(other.m_SkinnedVertices)),
      m_VertexBuffer(other.m_VertexBuffer),
      m_IndexBuffer(other.m_IndexBuffer) {
    other.m_VertexBuffer = -1;
    other.m_IndexBuffer = -1;
}

cModelMesh& cModelMesh::operator=(cModelMesh&& other) noexcept {
    if (this != &other) {
        DropBuffers();
        m_Name = std::move(other.m_Name);
        m_Material = std::move(other.m_Material);
        m_TextureIndex = other.m_TextureIndex;
        m_Indices = std::move(other.m_Indices);
        m_StaticVertices = std::move(other.m_StaticVertices);
        m_SkinnedVertices = std::move(other.m_SkinnedVertices);
        m_VertexBuffer = other.m_VertexBuffer;
        m_IndexBuffer = other.m_IndexBuffer;
        other.m_VertexBuffer = -1;
        other.m_IndexBuffer = -1;
    }
    return *this;
}

cModelMesh::~cModelMesh() { DropBuffers(); }

void cModel::Clear() {
    for (cModelMesh& mesh : m_Meshes)
        mesh.DropBuffers();
    m_Static = true;
    m_Joints.Free();
    m_JointMatrices.Free();
    m_Meshes.Free();
    m_Bounds.SetEmpty();
}

cModel::cModel(cModel&& other) noexcept
    : m_Static(other.m_Static),
      m_Joints(std::move(other.m_Joints)),
      m_JointMatrices(std::move(other.m_JointMatrices)),
      m_Meshes(std::move(other.m_Meshes)),
      m_Bounds(other.m_Bounds) {
    other.Clear();
}

cModel& cModel::operator=(cModel&& other) noexcept {
    if (this != &other) {
        Clear();
        m_Static = other.m_Static;
        m_Joints = std::move(other.m_Joints);
        m_JointMatrices = std::move(other.m_JointMatrices);
        m_Meshes = std::move(other.m_Meshes);
        m_Bounds = other.m_Bounds;
        other.Clear();
    }
    return *this;
}

void cModel::Copy(cModel& to, const cModel& from) {
    if (&to == &from)
        return;
    for (cModelMesh& mesh : to.m_Meshes)
        mesh.DropBuffers();
    to.m_Static = from.m_Static;
    to.m_Joints = from.m_Joints;
    to.m_JointMatrices = from.m_JointMatrices;
    to.m_Meshes = from.m_Meshes;  // mesh copies come without buffers
    to.m_Bounds = from.m_Bounds;
}

}  // namespace tovan

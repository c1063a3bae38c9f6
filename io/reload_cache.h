// The reload caches: animations, models and camera sets remembered with the
// files they came from, so that the reload commands (cIO::ReloadAnims and its
// siblings) can read every file again and update each cached object in place;
// code holding a pointer to one sees the new contents. The caches own their
// objects until the process exits. Nothing in the framework adds entries;
// whoever does fills these records.
#pragma once
#include <cstdint>
#include <memory>

#include "core/list.h"
#include "core/mat.h"
#include "core/str.h"
#include "io/model/anim.h"
#include "io/model/camera.h"
#include "io/model/model.h"

namespace tovan {

struct cAnimCacheEntry {
    std::unique_ptr<cAnim> m_Anim;  // made by the first reload that succeeds
    cStr m_FileName;
    cStr m_Extra;                     // the filler's own; reloads do not read it
    cMat4 m_Transform;                // applied after each reload unless it is the identity
    int32_t m_FrameRate = 0;          // as last loaded
    int32_t m_FrameRateOverride = 0;  // replaces the loaded rate when above 0
};

struct cModelCacheEntry {
    std::unique_ptr<cModel> m_Model;  // made by the first reload that succeeds
    cStr m_FileName;
    cStr m_Extra;
    uint8_t m_Proxy = 0;  // a proxy gets no texture indices and no device buffers
};

struct cCameraCacheEntry {
    std::unique_ptr<cCamera> m_Camera;  // made by the first reload that succeeds
    cStr m_FileName;
};

cList<cAnimCacheEntry>& GetAnimReloadCache();
cList<cModelCacheEntry>& GetModelReloadCache();
cList<cCameraCacheEntry>& GetCameraReloadCache();

// True when every element differs from the identity's by at most epsilon.
bool IsIdentityMatrix(const cMat4& m, float epsilon);

}  // namespace tovan

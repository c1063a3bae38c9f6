#include "io/reload_cache.h"

#include <cmath>

#include "core/log.h"
#include "io/io.h"
#include "io/model/material_table.h"

namespace tovan {

namespace {

constexpr float kIdentityEpsilon = 1e-6f;

const char* Rule() {
    static const char* const rule = "------------------------------------------------------------";  // 60
    return rule;
}

// The summary: the rule, a line end, then the counts. The text goes to the log
// as an argument, never as a format.
void LogSummary(const cStr& counts) {
    cStr text(Rule());
    text.Append("\r\n");
    text.Append(counts);
    Log("%s", text.GetText());
}

template <class Entry>
Entry* EntryAt(cList<Entry>& cache, int32_t index) {
    return index >= 0 && index < cache.Count() ? cache.At(index) : nullptr;
}

}  // namespace

cList<cAnimCacheEntry>& GetAnimReloadCache() {
    static cList<cAnimCacheEntry> cache;
    return cache;
}
cList<cModelCacheEntry>& GetModelReloadCache() {
    static cList<cModelCacheEntry> cache;
    return cache;
}
cList<cCameraCacheEntry>& GetCameraReloadCache() {
    static cList<cCameraCacheEntry> cache;
    return cache;
}

bool IsIdentityMatrix(const cMat4& m, float epsilon) {
    const cMat4 identity;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (!(std::fabs(m.m[r][c] - identity.m[r][c]) <= epsilon))
                return false;
    return true;
}

bool cIO::ReloadAnim(int32_t index) {
    Init();
    cAnimCacheEntry* entry = EntryAt(GetAnimReloadCache(), index);
    cAnim loaded;
    if (!entry || !LoadAnim(entry->m_FileName.GetText(), loaded))
        return false;
    if (!entry->m_Anim)
        entry->m_Anim.reset(new cAnim);
    cAnim& anim = *entry->m_Anim;
    anim.Copy(loaded);
    entry->m_FrameRate = loaded.m_FrameRate;
    if (entry->m_FrameRateOverride > 0)
        anim.m_FrameRate = entry->m_FrameRateOverride;
    if (!IsIdentityMatrix(entry->m_Transform, kIdentityEpsilon))
        anim.Transform(entry->m_Transform);
    return true;
}

bool cIO::ReloadModel(int32_t index) {
    Init();
    cModelCacheEntry* entry = EntryAt(GetModelReloadCache(), index);
    cModel loaded;
    if (!entry || !LoadModel(entry->m_FileName.GetText(), loaded))
        return false;
    if (!entry->m_Model)
        entry->m_Model.reset(new cModel);
    cModel& model = *entry->m_Model;
    cModel::Copy(model, loaded);
    if (!entry->m_Proxy) {
        for (cModelMesh& mesh : model.m_Meshes)
            mesh.m_TextureIndex = GetMaterialTextureIndex(mesh.m_Material.GetText());
        cModel::UploadBuffers(model);
    }
    return true;
}

bool cIO::ReloadCamera(int32_t index) {
    Init();
    cCameraCacheEntry* entry = EntryAt(GetCameraReloadCache(), index);
    cCamera loaded;
    if (!entry || !LoadCamera(entry->m_FileName.GetText(), loaded))
        return false;
    if (!entry->m_Camera)
        entry->m_Camera.reset(new cCamera);
    cCamera& camera = *entry->m_Camera;
    camera.m_FrameRate = loaded.m_FrameRate;
    // Tracks past the loaded count are destroyed with their keys.
    camera.ResizeTracks(loaded.m_Tracks.Count());
    for (int i = 0; i < loaded.m_Tracks.Count(); ++i)
        camera.m_Tracks[i] = loaded.m_Tracks[i];
    loaded.Clear();
    return true;
}

void cIO::ReloadAnims() {
    Init();
    Log("%s", Rule());
    int reloaded = 0;
    for (int i = 0; i < GetAnimReloadCache().Count(); ++i)
        reloaded += ReloadAnim(i) ? 1 : 0;
    LogSummary(cStr::Format("Reloaded %d Anims.", reloaded));
}

void cIO::ReloadModels() {
    Init();
    Log("%s", Rule());
    // Static and not proxy, animated and not proxy, static proxies, animated proxies.
    int reloaded[4] = {};
    cList<cModelCacheEntry>& cache = GetModelReloadCache();
    for (int i = 0; i < cache.Count(); ++i)
        if (ReloadModel(i))
            ++reloaded[(cache[i].m_Model->m_Static ? 0 : 1) + (cache[i].m_Proxy ? 2 : 0)];
    LogSummary(cStr::Format("Reloaded %d Static Models, %d Anim Models, %d Static Proxies, %d Anim Proxies.",
                            reloaded[0], reloaded[1], reloaded[2], reloaded[3]));
}

void cIO::ReloadCameras() {
    Init();
    Log("%s", Rule());
    int reloaded = 0;
    for (int i = 0; i < GetCameraReloadCache().Count(); ++i)
        reloaded += ReloadCamera(i) ? 1 : 0;
    LogSummary(cStr::Format("Reloaded %d Cameras.", reloaded));
}

int32_t cIO::GetAnimCacheCount() {
    Init();
    return GetAnimReloadCache().Count();
}

int32_t cIO::GetCameraCacheCount() {
    Init();
    return GetCameraReloadCache().Count();
}

}  // namespace tovan

// The reload caches: each cached file read again into its cached object, the
// per-kind rules (transform, frame rate, proxies, camera tracks) and the
// summary lines. The tests fill the cache records themselves, as whoever
// registers entries would.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/model/material_table.h"
#include "io/reload_cache.h"
#include "tests/io/codec_files.h"
#include "tests/io/io_fixture.h"
#include "tests/support/log_capture.h"
#include "tests/support/recording_renderer.h"

namespace tovan {
namespace {

const std::string kRule(60, '-');

// One group "Stone" (the second of entry 0) holding "Wall" as its third material.
class OneMaterial : public cMaterialTable {
public:
    int CountEntries() override { return 1; }
    int CountGroups(int) override { return 2; }
    const char* GetGroupName(int, int group) override { return group == 1 ? "Stone" : "Wood"; }
    int CountMaterials(int, int) override { return 3; }
    const char* GetMaterialName(int, int, int material) override { return material == 2 ? "Wall" : "Floor"; }
    void ListTextures(int, int, int, cList<cStr>&) override {}
    void OnMaterialFound(int, int, int) override {}
};

class ReloadTest : public test::IoTest {
protected:
    void SetUp() override {
        IoTest::SetUp();
        MaterialTable = &materials;
        log.Clear();
    }
    void TearDown() override {
        GetAnimReloadCache().Free();
        GetModelReloadCache().Free();
        GetCameraReloadCache().Free();
        MaterialTable = nullptr;
        IoTest::TearDown();
    }
    std::string Name(const std::string& file) const { return Relative() + "\\" + file; }
    void Write(const std::string& file, const std::string& bytes) const { WriteHost(InBase(Name(file)), bytes); }

    void AddAnim(const std::string& file, const cMat4& transform, int32_t rateOverride) {
        cAnimCacheEntry entry;
        entry.m_FileName = Name(file).c_str();
        entry.m_Transform = transform;
        entry.m_FrameRateOverride = rateOverride;
        GetAnimReloadCache().PushBack(std::move(entry));
    }
    void AddModel(const std::string& file, bool proxy) {
        cModelCacheEntry entry;
        entry.m_FileName = Name(file).c_str();
        entry.m_Proxy = proxy ? 1 : 0;
        GetModelReloadCache().PushBack(std::move(entry));
    }
    void AddCamera(const std::string& file) {
        cCameraCacheEntry entry;
        entry.m_FileName = Name(file).c_str();
        GetCameraReloadCache().PushBack(std::move(entry));
    }

    OneMaterial materials;
    test::LogCapture log;
    test::RecordingRenderer device;
};

TEST_F(ReloadTest, EmptyCachesLogTheRuleTwiceAndZeroCounts) {
    cIO::ReloadAnims();
    cIO::ReloadModels();
    cIO::ReloadCameras();
    EXPECT_EQ(log.Logs(), (std::vector<std::string>{
                              kRule, kRule + "\r\nReloaded 0 Anims.", kRule,
                              kRule + "\r\nReloaded 0 Static Models, 0 Anim Models, 0 Static Proxies, 0 Anim Proxies.",
                              kRule, kRule + "\r\nReloaded 0 Cameras."}));
    EXPECT_EQ(cIO::GetAnimCacheCount(), 0);
    EXPECT_EQ(cIO::GetCameraCacheCount(), 0);
    for (int32_t index : {-1, 0, 1}) {
        EXPECT_FALSE(cIO::ReloadAnim(index));
        EXPECT_FALSE(cIO::ReloadModel(index));
        EXPECT_FALSE(cIO::ReloadCamera(index));
    }
}

TEST(IdentityMatrix, EveryElementWithinEpsilon) {
    struct Case {
        int row, column;
        float change;
        bool identity;
    };
    const Case cases[] = {{0, 0, 0, true},      {3, 0, 1e-6f, true},   {1, 2, -1e-6f, true},
                          {3, 0, 2e-6f, false}, {2, 2, -2e-6f, false}, {0, 3, NAN, false}};
    for (const Case& c : cases) {
        cMat4 m;
        m.m[c.row][c.column] += c.change;
        EXPECT_EQ(IsIdentityMatrix(m, 1e-6f), c.identity) << c.row << c.column << " " << c.change;
    }
}

TEST_F(ReloadTest, AnimationsTakeTheirTransformAndFrameRateRules) {
    Write("walk.canim", test::ReadDataFile("anim/walk.ca"));
    cAnim file;
    ASSERT_TRUE(cIO::LoadAnim(Name("walk.canim").c_str(), file));
    ASSERT_EQ(file.m_FrameRate, 30);

    cMat4 within, beyond;
    within.m[3][0] = 1e-6f;
    beyond.m[3][0] = 2e-6f;
    AddAnim("walk.canim", cMat4(), 0);  // the file's own rate
    AddAnim("walk.canim", within, 60);  // within 1e-6 of the identity: not transformed
    AddAnim("walk.canim", beyond, -5);  // beyond it: transformed
    AddAnim("gone.canim", cMat4(), 0);
    ASSERT_EQ(cIO::GetAnimCacheCount(), 4);
    log.Clear();
    cIO::ReloadAnims();
    EXPECT_EQ(log.Logs(), (std::vector<std::string>{kRule, "Loaded animation file \"" + Name("walk.canim") + "\"",
                                                    "Loaded animation file \"" + Name("walk.canim") + "\"",
                                                    "Loaded animation file \"" + Name("walk.canim") + "\"",
                                                    kRule + "\r\nReloaded 3 Anims."}));
    EXPECT_EQ(log.Warnings(), std::vector<std::string>{"Can't load animation file \"" + Name("gone.canim") + "\""});

    cList<cAnimCacheEntry>& cache = GetAnimReloadCache();
    cAnim transformed(file);
    transformed.Transform(beyond);
    const cAnim* expected[] = {&file, &file, &transformed};
    const int32_t rates[] = {30, 60, 30};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(cache[i].m_Anim) << i;
        const cAnim& anim = *cache[i].m_Anim;
        EXPECT_EQ(anim.m_FrameRate, rates[i]) << i;
        EXPECT_EQ(cache[i].m_FrameRate, 30) << i;
        ASSERT_EQ(anim.m_Frames.Count(), expected[i]->m_Frames.Count()) << i;
        EXPECT_EQ(0, std::memcmp(anim.m_Frames[1].Data(), expected[i]->m_Frames[1].Data(), 2 * sizeof(cAnimKey))) << i;
    }
    EXPECT_NE(transformed.m_Frames[1][0].m_Position, file.m_Frames[1][0].m_Position);
    EXPECT_FALSE(cache[3].m_Anim);

    // A later reload updates the same objects in place; a failed one leaves them.
    const cAnim* first = cache[0].m_Anim.get();
    ASSERT_TRUE(cIO::ReloadAnim(0));
    EXPECT_EQ(cache[0].m_Anim.get(), first);
    Write("walk.canim", "ca");
    EXPECT_FALSE(cIO::ReloadAnim(0));
    EXPECT_EQ(cache[0].m_Anim->m_Frames.Count(), 2);
}

TEST_F(ReloadTest, ModelsAreCountedByKindAndProxiesGetNoTexturesOrBuffers) {
    Write("wall.obj", "usemtl Stone.Wall\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    Write("body.md5mesh",
          "numJoints 1\nnumMeshes 1\njoints {\n root -1 ( 0 0 0 ) ( 0 0 0 )\n}\n"
          "mesh {\n shader \"Stone_Wall\"\n numverts 3\n vert 0 ( 0 0 ) 0 1\n vert 1 ( 1 0 ) 1 1\n"
          " vert 2 ( 0 1 ) 2 1\n numtris 1\n tri 0 0 1 2\n numweights 3\n weight 0 0 1 ( 0 0 0 )\n"
          " weight 1 0 1 ( 1 0 0 )\n weight 2 0 1 ( 0 1 0 )\n}\n");
    AddModel("wall.obj", false);
    AddModel("wall.obj", true);
    AddModel("body.md5mesh", false);
    AddModel("body.md5mesh", true);
    AddModel("gone.obj", false);
    log.Clear();
    cIO::ReloadModels();
    EXPECT_EQ(log.Logs().back(),
              kRule + "\r\nReloaded 1 Static Models, 1 Anim Models, 1 Static Proxies, 1 Anim Proxies.");
    EXPECT_EQ(log.Warnings(), std::vector<std::string>{"Can't load model file \"" + Name("gone.obj") + "\""});

    cList<cModelCacheEntry>& cache = GetModelReloadCache();
    const int32_t stoneWall = 0 + (1 << 8) + (2 << 16);
    for (int i = 0; i < 4; ++i) {
        const cModelMesh& mesh = cache[i].m_Model->m_Meshes[0];
        const bool proxy = cache[i].m_Proxy != 0;
        EXPECT_EQ(mesh.m_TextureIndex, proxy ? -1 : stoneWall) << i;
        EXPECT_EQ(mesh.m_VertexBuffer == -1, proxy) << i;
        EXPECT_EQ(mesh.m_IndexBuffer == -1, proxy) << i;
    }
    EXPECT_EQ(device.CallsNamed("CreateVertexBuffer").size(), 2u);
    EXPECT_EQ(device.CallsNamed("CreateIndexBuffer").size(), 2u);

    // A file that no longer decodes leaves the cached model with its buffers.
    cModel* wall = cache[0].m_Model.get();
    const int32_t buffer = wall->m_Meshes[0].m_VertexBuffer;
    Write("wall.obj", "f 1 2 3\n");
    EXPECT_FALSE(cIO::ReloadModel(0));
    EXPECT_EQ(cache[0].m_Model.get(), wall);
    EXPECT_EQ(wall->m_Meshes[0].m_VertexBuffer, buffer);
    EXPECT_EQ(wall->m_Meshes[0].m_Indices.Count(), 3);
}

TEST_F(ReloadTest, CamerasTakeTheLoadedTracksAndDropTheRest) {
    Write("path.ccamera", test::ReadDataFile("camera/path.cc"));
    AddCamera("path.ccamera");
    AddCamera("path.ccamera");
    // The second entry holds three tracks already; the file has two.
    cCameraCacheEntry& held = GetCameraReloadCache()[1];
    held.m_Camera.reset(new cCamera);
    held.m_Camera->ResizeTracks(3);
    for (cCameraTrack& track : held.m_Camera->m_Tracks) {
        track.m_Name = "old track with a long name that needs a block of its own";
        ResizeKeys(track, 50);
    }
    const cCameraTrack* tracks = held.m_Camera->m_Tracks.Data();
    ASSERT_EQ(cIO::GetCameraCacheCount(), 2);
    log.Clear();
    cIO::ReloadCameras();
    EXPECT_EQ(log.Logs().back(), kRule + "\r\nReloaded 2 Cameras.");
    cCamera file;
    ASSERT_TRUE(cIO::LoadCamera(Name("path.ccamera").c_str(), file));
    for (const cCameraCacheEntry& entry : GetCameraReloadCache()) {
        ASSERT_TRUE(entry.m_Camera);
        EXPECT_EQ(entry.m_Camera->m_FrameRate, 10);
        ASSERT_EQ(entry.m_Camera->m_Tracks.Count(), 2);
        const cCameraTrack& track = entry.m_Camera->m_Tracks[1];
        EXPECT_EQ(track.m_Name, file.m_Tracks[1].m_Name);
        ASSERT_EQ(track.m_Keys.Count(), 1);
        EXPECT_EQ(0, std::memcmp(track.m_Keys.Data(), file.m_Tracks[1].m_Keys.Data(), sizeof(cCameraKey)));
    }
    EXPECT_EQ(GetCameraReloadCache()[1].m_Camera->m_Tracks.Data(), tracks) << "tracks are updated in place";
}

}  // namespace
}  // namespace tovan

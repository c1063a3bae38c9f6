#include "tests/win32/preview_files.h"

#include "core/stream.h"
#include "io/codecs/model_codecs.h"
#include "io/image/image.h"
#include "io/io.h"

#include <fstream>
#include <sstream>

namespace tovan::test {

namespace {

std::string Bytes(const cStream& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Data()), size_t(stream.Count()));
}

// The host folder of the committed data (TOVAN_TEST_DATA is the program's form).
std::string HostDataFolder() {
    std::string folder = TOVAN_TEST_DATA;
    if (folder.size() > 2 && folder[1] == ':')
        folder = folder.substr(2);  // wine's Z: is the host root
    return folder;
}

}  // namespace

std::string ReadDataFile(const std::string& relative) {
    std::ifstream in(HostDataFolder() + "/" + relative, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string CopySample(const ScratchFolder& folder, const std::string& data, const std::string& name) {
    folder.Write(name, ReadDataFile(data));
    return folder / name;
}

std::string WriteBmp(const ScratchFolder& folder, const std::string& name, int width, int height) {
    cImage image;
    image.Allocate(ImageFormat::Rgb8, width, height, 1, 1);
    uint8_t* texels = image.LevelData(0);
    for (int i = 0; i < width * height; ++i)
        texels[3 * i] = texels[3 * i + 1] = texels[3 * i + 2] = uint8_t(i % width);
    const std::string path = folder / name;
    EXPECT_TRUE(cIO::SaveImage(path.c_str(), image));
    return path;
}

std::string WriteImage(const ScratchFolder& folder, const std::string& name, int format, int width, int height,
                       int depth, int mips) {
    cImage image;
    EXPECT_TRUE(image.Allocate(ImageFormat(format), width, height, depth, mips));
    const std::string path = folder / name;
    EXPECT_TRUE(cIO::SaveImage(path.c_str(), image)) << name;
    return path;
}

std::string EncodeModel(const cModel& model) {
    cStream out;
    EXPECT_TRUE(cCodecModel().Encode(model, out));
    return Bytes(out);
}

std::string WriteCameraSet(const ScratchFolder& folder, const std::string& name, int frameRate,
                           std::initializer_list<int> keyCounts) {
    cCamera camera;
    camera.m_FrameRate = frameRate;
    for (int keys : keyCounts) {
        cCameraTrack& track = camera.m_Tracks[camera.m_Tracks.PushBack(cCameraTrack())];
        track.m_Name = "cam";
        for (int k = 0; k < keys; ++k)
            track.m_Keys.PushBack({{float(k), float(camera.m_Tracks.Count()), 0}, {}, 0});
    }
    cStream out;
    EXPECT_TRUE(cCodecCamera().Encode(camera, out));
    folder.Write(name, Bytes(out));
    return folder / name;
}

std::string WritePointAnim(const ScratchFolder& folder, const std::string& name, int frames) {
    cAnim anim;
    anim.m_FrameRate = 24;
    anim.ResizeJoints(2);
    anim.m_Joints[0].m_Parent = -1;
    anim.m_Joints[1].m_Parent = 0;
    cList<cAnimKey> keys;
    keys.Resize(2, cAnimKey{{1, 2, 3}, {}, {1, 1, 1}});
    for (int f = 0; f < frames; ++f)
        anim.AppendFrame(keys);
    anim.ComputeFrameBounds();
    cStream out;
    EXPECT_TRUE(cCodecAnim().Encode(anim, out));
    folder.Write(name, Bytes(out));
    return folder / name;
}

}  // namespace tovan::test

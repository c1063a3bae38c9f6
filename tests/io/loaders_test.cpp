// The codec registries and the loaders by name: registration and its log
// lines, image codecs chosen by extension and confirmed by content, saving
// images, and the messages of every kind.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/codec_registry.h"
#include "io/codecs/image_codec.h"
#include "io/codecs/model_codecs.h"
#include "tests/io/codec_files.h"
#include "tests/io/io_fixture.h"
#include "tests/io/registration_lines.h"
#include "tests/support/log_capture.h"

namespace tovan {
namespace {

const std::vector<std::string>& kRegistrationLines = test::RegistrationLines();

// Start-up runs once per process: a fresh child process starts the layer.
using test::ScratchTest;

TEST_F(ScratchTest, StartUpRegistersTheCodecsInOrderWithOneLineEach) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto startUp = [] {
        test::LogCapture log;
        cIO::Init();
        std::vector<std::string> lines = log.Logs();
        const bool ok = lines.size() >= kRegistrationLines.size() &&
                        std::vector<std::string>(lines.end() - long(kRegistrationLines.size()), lines.end()) ==
                            kRegistrationLines &&
                        lines[lines.size() - kRegistrationLines.size() - 1].rfind("Default file source", 0) == 0;
        std::vector<std::string> expected = {"Default file source is folder ..."};
        expected.insert(expected.end(), kRegistrationLines.begin(), kRegistrationLines.end());
        fprintf(stderr, "%s", ok ? "registered" : ("registered wrongly\n" + test::ShowLines(expected, lines)).c_str());
        exit(ok ? 0 : 1);
    };
    EXPECT_EXIT(startUp(), ::testing::ExitedWithCode(0), "registered");
}

// The test's own registries, filled by the same registration.
cImageCodecs* s_Images;
cAnimCodecs* s_Anims;
cModelCodecs* s_Models;
cCameraCodecs* s_Cameras;

TEST(CodecRegistry, FrameworkCodecsGoInInTheirOrderAndRefusedOnesAreNotKept) {
    cImageCodecs images;
    cAnimCodecs anims;
    cModelCodecs models;
    cCameraCodecs cameras;
    s_Images = &images, s_Anims = &anims, s_Models = &models, s_Cameras = &cameras;
    // A model codec of the name "Obj" is there already: the framework's is refused and deleted.
    models.Add("OBJ", new cCodecModel);
    test::LogCapture log;
    RegisterFrameworkCodecs({
        [](const char* name, cIO::ImageCodec* codec) { return AddCodec(*s_Images, name, codec); },
        [](const char* name, cIO::AnimCodec* codec) { return AddCodec(*s_Anims, name, codec); },
        [](const char* name, cIO::ModelCodec* codec) { return AddCodec(*s_Models, name, codec); },
        [](cIO::CameraCodec* codec) { return AddCodec(*s_Cameras, "cCamera", codec); },
    });
    std::vector<std::string> expected = kRegistrationLines;
    expected.erase(std::find(expected.begin(), expected.end(), "Added \"Obj\" model codec."));
    EXPECT_EQ(log.Logs(), expected);
    const auto names = [](const auto& registry) {
        std::vector<std::string> out;
        for (const auto& entry : registry.Entries())
            out.push_back(entry.m_Name.GetText());
        return out;
    };
    EXPECT_EQ(names(images), test::ImageCodecNames());
    EXPECT_EQ(names(models), (std::vector<std::string>{"OBJ", "cModel", "Md5Mesh"}));
    EXPECT_NE(dynamic_cast<cCodecModel*>(models.Find("obj")), nullptr);
}

// A name is the caller's text: a '%' in it is written, not interpreted.
TEST(CodecRegistry, NamesGoToTheLogAsText) {
    cAnimCodecs anims;
    test::LogCapture log;
    EXPECT_TRUE(AddCodec(anims, "%s%n%d", new cCodecMd5Anim));
    EXPECT_EQ(log.Logs(), std::vector<std::string>{"Added \"%s%n%d\" animation decoder."});
}

class LoaderTest : public test::IoTest {
protected:
    void SetUp() override {
        IoTest::SetUp();
        log.Clear();
    }
    std::string Name(const std::string& file) const { return Relative() + "\\" + file; }
    void Write(const std::string& file, const std::string& bytes) const { WriteHost(InBase(Name(file)), bytes); }
    std::string Read(const std::string& file) const { return ReadHost(InBase(Name(file))); }
    std::string Quoted(const std::string& file) const { return "\"" + Name(file) + "\""; }
    test::LogCapture log;
};

TEST_F(LoaderTest, ADuplicateRegistrationIsRefusedSilently) {
    cIO::ImageCodec* dds = cIO::FindImageCodec("DDS");
    ASSERT_NE(dynamic_cast<cCodecDds*>(dds), nullptr);
    EXPECT_EQ(cIO::FindImageCodec("png"), nullptr);
    cCodecBmp bmp;
    cCodecMd5Anim anim;
    cCodecObj obj;
    cCodecCamera camera;
    EXPECT_FALSE(cIO::AddImageCodec("dds", &bmp));
    EXPECT_FALSE(cIO::AddAnimCodec("MD5ANIM", &anim));
    EXPECT_FALSE(cIO::AddModelCodec("obj", &obj));
    EXPECT_FALSE(cIO::AddCameraCodec(&camera));
    EXPECT_EQ(cIO::FindImageCodec("dds"), dds);
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(LoaderTest, TheContentConfirmsOrCorrectsTheExtension) {
    struct Case {
        uint32_t first4;
        const char* extension;
        bool stands;
        const char* after;
    };
    const Case cases[] = {
        {0x00364D42, "dds", false, "Bmp"},                                     // "BM6", a bitmap stored as .dds
        {0x00364D42, "BMP", true, "BMP"},  {0x20534444, "bmp", false, "Dds"},  // "DDS "
        {0x00020000, "tga", true, "tga"},                                      // plain true-colour TGA
        {0x00010100, "Tga", true, "Tga"},  // colour-mapped: only the extension knows it
        {0x00020000, "xyz", false, "Tga"}, {0x74206F6E, "xyz", true, "xyz"},  // "no t": nobody's
        {0, "dds", true, "dds"},                                              // what a file under four bytes gives
        {0x00525650, "", false, "cPvr"},
    };
    for (const Case& c : cases) {
        cStr extension(c.extension);
        EXPECT_EQ(cIO::DetectImageCodec(c.first4, extension), c.stands) << c.extension;
        EXPECT_EQ(test::Str(extension), c.after) << c.extension;
    }
}

TEST_F(LoaderTest, ImagesLoadByExtensionConfirmedByContent) {
    const std::string bmp = test::ReadDataFile("bmp/im_24bit.bmp");
    const std::string tga = test::ReadDataFile("tga/im_24bit.tga");
    const std::string mapped = test::ReadDataFile("tga/im_8bit_mapped.tga");
    cImage expectedBmp, expectedTga, expectedMapped;
    ASSERT_TRUE(test::DecodeBytes(cCodecBmp(), bmp, expectedBmp));
    ASSERT_TRUE(test::DecodeBytes(cCodecTga(), tga, expectedTga));
    ASSERT_TRUE(test::DecodeBytes(cCodecTga(), mapped, expectedMapped));
    struct Case {
        const char* file;
        const std::string& bytes;
        const cImage& expected;
    };
    const Case cases[] = {
        {"x.dds", bmp, expectedBmp},             // a bitmap under another codec's name
        {"x.TGA", tga, expectedTga},             // the extension in capitals
        {"mapped.tga", mapped, expectedMapped},  // content no codec recognises: the extension decides
        {"a.tga.temp", mapped, expectedMapped},  // a temporary copy goes by the extension before
        {"b.TGA.Temp1", mapped, expectedMapped},
        {"bitmap.temp", bmp, expectedBmp},  // no extension left: the content decides
    };
    for (const Case& c : cases) {
        Write(c.file, c.bytes);
        log.Clear();
        cImage image;
        ASSERT_TRUE(cIO::LoadImage(Name(c.file).c_str(), image)) << c.file;
        EXPECT_EQ(test::GetBytes(image), test::GetBytes(c.expected)) << c.file;
        EXPECT_EQ(image.m_Width, c.expected.m_Width) << c.file;
        EXPECT_EQ(log.Logs(), std::vector<std::string>{"Loaded image file " + Quoted(c.file)}) << c.file;
        EXPECT_TRUE(log.Warnings().empty()) << c.file;
    }
}

TEST_F(LoaderTest, ImagesThatDoNotLoadWarnWithTheRelativeName) {
    Write("x.xyz", "this is no picture");
    Write("short.tga", "ab\n");
    Write("pic.temp", "junk");
    cImage grey;
    test::FillImage(grey, ImageFormat::R16, 1, 1, std::string(2, '\0'));
    std::string colour16 = test::EncodeBytes(cCodecDds(), grey);
    colour16[80] = 0x40;  // pixel format flags: RGB (5:6:5) in place of luminance
    colour16[82] = 0;
    Write("rgb565.dds", colour16);
    struct Case {
        const char* file;
        const char* warning;
    };
    const Case cases[] = {
        {"x.xyz", "Can't decode image file "},     {"short.tga", "Can't decode image file "},
        {"pic.temp", "Can't decode image file "},  {"rgb565.dds", "Can't decode image file "},
        {"missing.bmp", "Can't load image file "},
    };
    for (const Case& c : cases) {
        log.Clear();
        cImage image;
        EXPECT_FALSE(cIO::LoadImage(Name(c.file).c_str(), image)) << c.file;
        EXPECT_EQ(log.Warnings(), std::vector<std::string>{c.warning + Quoted(c.file)}) << c.file;
        EXPECT_TRUE(log.Logs().empty()) << c.file;
    }
}

TEST_F(LoaderTest, SaveImageWritesThroughTheCodecOfItsExtension) {
    cImage image;
    test::FillImage(image, ImageFormat::Rgb8, 3, 2, test::Counting(18, 1));
    Write("folder", "");  // saving does not make folders
    ASSERT_TRUE(cIO::SaveImage(Name("out.BMP").c_str(), image));
    EXPECT_EQ(Read("out.BMP"), test::EncodeBytes(cCodecBmp(), image));
    cImage back;
    ASSERT_TRUE(cIO::LoadImage(Name("out.BMP").c_str(), back));
    EXPECT_EQ(test::GetBytes(back), test::GetBytes(image));
    log.Clear();

    // No extension, or no codec of it: false, nothing written, nothing said.
    for (const char* file : {"noext", "out.png"}) {
        EXPECT_FALSE(cIO::SaveImage(Name(file).c_str(), image)) << file;
        EXPECT_FALSE(std::filesystem::exists(Host(InBase(Name(file))))) << file;
    }
    EXPECT_TRUE(log.Messages().empty());

    // A codec that cannot write the image warns; nothing is written.
    EXPECT_FALSE(cIO::SaveImage(Name("out.cpvr").c_str(), image));
    EXPECT_EQ(log.Warnings(), std::vector<std::string>{"Can't encode image \"" + Name("out.cpvr") + "\""});
    EXPECT_FALSE(std::filesystem::exists(Host(InBase(Name("out.cpvr")))));
}

// Models, animations and camera sets go by extension alone, in any case.
TEST_F(LoaderTest, ModelsAnimationsAndCamerasGoByExtension) {
    enum Kind { kModel, kAnim, kCamera };
    struct Case {
        const char* file;
        std::string bytes;  // none: the file is missing
        Kind kind;
        std::vector<std::string> warnings;  // none: it loads
        bool empty = false;                 // the file is there with no bytes
    };
    const std::string mesh = "numJoints 1\nnumMeshes 0\njoints {\n root -1 ( 1 2 3 ) ( 0 0 0 )\n}\n";
    const std::string anim =
        "numFrames 1\nnumJoints 1\nframeRate 12\nnumAnimatedComponents 0\nhierarchy {\n r -1 0 0\n}\n"
        "baseframe {\n ( 0 0 0 ) ( 0 0 0 )\n}\nframe 0 {\n}\n";
    const Case cases[] = {
        {"a.OBJ", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", kModel, {}},
        {"b.cModel", test::ReadDataFile("model/static_tri.cm"), kModel, {}},
        {"c.md5mesh", mesh, kModel, {}},
        {"d.cAnim", test::ReadDataFile("anim/walk.ca"), kAnim, {}},
        {"e.MD5ANIM", anim, kAnim, {}},
        {"f.ccamera", test::ReadDataFile("camera/path.cc"), kCamera, {}},
        {"m.fbx", "anything", kModel, {"Can't decode model file "}},
        {"empty.md5mesh", "", kModel, {"Can't decode model file "}, true},
        {"none.obj", "", kModel, {"Can't load model file "}},
        {"bad.obj",
         "v 1 2\n",
         kModel,
         {"cCodecObj: Too few position coordinates: \"v 1 2\".", "Can't decode model file "}},
        {"model.cAnim", test::ReadDataFile("model/static_tri.cm"), kAnim, {"Can't decode animation file "}},
        {"empty.md5anim", "", kAnim, {"Can't decode animation file "}, true},
        {"none.canim", "", kAnim, {"Can't load animation file "}},
        {"bad.cCamera", "cc", kCamera, {"Can't decode camera file "}},
        {"none.cCamera", "", kCamera, {"Can't load camera file "}},
    };
    const char* const loaded[] = {"Loaded model file ", "Loaded animation file ", "Loaded camera file "};
    for (const Case& c : cases) {
        if (!c.bytes.empty() || c.empty)
            Write(c.file, c.bytes);
        log.Clear();
        cModel model;
        cAnim animation;
        cCamera camera;
        const std::string name = Name(c.file);
        const bool ok = c.kind == kModel  ? cIO::LoadModel(name.c_str(), model)
                        : c.kind == kAnim ? cIO::LoadAnim(name.c_str(), animation)
                                          : cIO::LoadCamera(name.c_str(), camera);
        EXPECT_EQ(ok, c.warnings.empty()) << c.file;
        std::vector<std::string> warnings = c.warnings;
        if (!warnings.empty())
            warnings.back() += Quoted(c.file);
        EXPECT_EQ(log.Warnings(), warnings) << c.file;
        EXPECT_EQ(log.Logs(),
                  ok ? std::vector<std::string>{loaded[c.kind] + Quoted(c.file)} : std::vector<std::string>{})
            << c.file;
        const bool filled = !model.m_Meshes.IsEmpty() || !model.m_Joints.IsEmpty() || animation.m_FrameRate > 0 ||
                            camera.m_Tracks.Count() == 2;
        EXPECT_EQ(filled, ok) << c.file;
    }
}

}  // namespace
}  // namespace tovan

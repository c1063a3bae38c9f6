#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/stream.h"
#include "io/codecs/image_codec.h"
#include "io/file_pickers.h"
#include "io/io.h"
#include "io/texture_import.h"
#include "tests/support/recording_renderer.h"
#include "tests/support/scratch.h"
#include "tools/settings.h"

namespace tovan::test {
namespace {

std::string g_Open, g_Save;  // what the user picks in the two dialogs
std::string g_Offered;       // the name the save dialog starts with

bool Pick(const PickRequest& request, cStr& chosen) {
    if (!request.m_Open)
        g_Offered = std::string(request.m_InitialFolder ? request.m_InitialFolder : "") + " | " +
                    (request.m_InitialName ? request.m_InitialName : "");
    chosen = (request.m_Open ? g_Open : g_Save).c_str();
    return true;
}

// The particle import keeps neither alpha nor mips, offers the particle folder
// and tells the device to reload the saved texture.
TEST(ImportParticle, SavesASingleLevelTextureWithoutAlpha) {
    ScratchFolder scratch;
    RecordingRenderer device;
    cIO::Init();
    const PickDialogHook previous = GetPickDialogHook();
    SetPickDialogHook(&Pick);
    g_Open = scratch / "Spark.tga";
    g_Save = scratch / "Out.dds";
    cImage source;
    ASSERT_TRUE(source.Allocate(ImageFormat::Rgba8, 8, 8, 1, 1));
    for (int i = 0; i < source.m_Data.Count(); ++i)
        source.m_Data[i] = uint8_t(i * 29);
    ASSERT_TRUE(cIO::SaveImage(g_Open.c_str(), source));

    std::unique_ptr<cSettings> settings(static_cast<cSettings*>(cSettings::Instance()->CreateInstance()));
    settings->ImportParticle();
    SetPickDialogHook(previous);
    GetPickerMemory() = PickerMemory();
    TextureImportFolder.Clear();

    EXPECT_EQ(g_Offered, std::string(cIO::GetBaseFolder()->GetText()) + "\\Textures\\Particles\\ | Spark.dds");
    cStream bytes;
    cImage saved;
    ASSERT_TRUE(cIO::ReadDiskFile(g_Save.c_str(), bytes));
    ASSERT_TRUE(cIO::FindImageCodec("dds")->Decode(bytes, saved));
    EXPECT_EQ(saved.m_Format, ImageFormat::Dxt1);
    EXPECT_EQ(saved.m_Mips, 1);
    ASSERT_EQ(device.CallsNamed("ReloadTexture").size(), 1u);
}

}  // namespace
}  // namespace tovan::test

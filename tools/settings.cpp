#include "tools/settings.h"

#include "classes/button_field.h"
#include "classes/field_types.h"
#include "classes/member.h"
#include "classes/vector_fields.h"
#include "core/render_device.h"
#include "io/io.h"
#include "tools/shader_handles.h"
#include "ui/input.h"
#include "io/texture_import.h"
#include "win32/font_generator.h"
#include "win32/question_box.h"

namespace tovan {

namespace {
struct EnumLabels {
    const char* name;
    const char* labels[10];  // null-terminated
};

constexpr EnumLabels kEnums[] = {
    {kShadersPlatformEnum, {"PC", "Xbox 360"}},
    {kResourcesEnum, {"Materials", "Textures", "Models", "Anims", "Cameras", "BSP", "Sounds"}},
    {kLanguageEnum, {"English", "Russian", "German", "Polish", "French", "Italian", "Spanish", "Japanese", "Chinese"}},
    {kPlatformEnum, {"iOS", "Tizen"}},
    {kTabletLibraryEnum, {"None"}},
};

// Another module may have put labels of its own in an enum first: only the
// missing ones are added.
void RegisterSettingsEnums() {
    for (const EnumLabels& entry : kEnums) {
        cEnum* labels = reinterpret_cast<cEnum*>(EnumExtra(entry.name));
        for (const char* const* label = entry.labels; *label; ++label)
            if (labels->m_Labels.Find(*label) < 0)
                labels->m_Labels.Add(*label);
    }
}

// The input layer reads the turned-screen sides through this.
class SettingsHomeButtonSides : public cHomeButtonSides {
public:
    bool HomeButtonOnTheRight() const override { return cSettings::Instance()->m_HomeButtonOnTheRight; }
    bool HomeButtonOnTheLeft() const override { return cSettings::Instance()->m_HomeButtonOnTheLeft; }
};
const SettingsHomeButtonSides g_HomeButtonSides;

template <class F, class M>
void Declare(cSettings* owner, M* member, const char* name, const char* expression = nullptr, uintptr_t extra = 0) {
    DeclareMember<F>(owner, member, expression ? expression : name, name, extra);
}

void Separator(cSettings* owner, const char* caption) { DeclareHeading<_cSeparator>(owner, caption); }
}  // namespace

cSettings* cSettings::Instance() {
    static cSettings* instance = [] {
        cSettings* settings = new cSettings();
        settings->Init(settings);
        settings->OwnMembers();
        HomeButtonSides = &g_HomeButtonSides;
        return settings;
    }();
    return instance;
}

void cSettings::SetDefaults() {
    m_TimeScale = {1.0f, 0.0f, 2.0f};
    m_ShowClassExplorerOnStartup = false;
    m_Multithreading = true;
    m_FpsDisplay = -1;
    RegisterSettingsEnums();
}

void cSettings::ReleaseHooks() {
    if (m_FpsDisplay != -1)
        RemoveWidget(m_FpsDisplay, true);
    m_FpsDisplay = -1;
}

void cSettings::RegisterMembers() {
    if (!BeginMembers())
        return;
    RegisterSettingsEnums();
    const uintptr_t languages = EnumExtra(kLanguageEnum);
    const uintptr_t tablets = EnumExtra(kTabletLibraryEnum);

    Declare<_cStr>(this, &m_ObjectsList, "ObjectsList");
    Separator(this, "");
    Declare<_cXmlFile>(this, &m_MenuSceneXmlFile, "MenuSceneXmlFile");
    Declare<_cIndex>(this, &m_Language, "Language", nullptr, languages);
    Separator(this, "Reload Resources");
    TOVAN_BUTTON(ReloadTextures);
    TOVAN_BUTTON(ReloadModels);
    TOVAN_BUTTON(ReloadAnims);
    TOVAN_BUTTON(ReloadCameras);
    TOVAN_BUTTON(ReloadSounds);
    TOVAN_BUTTON(ReloadShaders);
    Separator(this, "");
    Declare<_cBool>(this, &m_FullScreen, "FullScreen");
    Declare<_cBool>(this, &m_VSync, "VSync");
    Declare<_cBool>(this, &m_GammaCorrection, "GammaCorrection");
    Declare<_cBool>(this, &m_ShowGrid, "ShowGrid");
    Declare<_cBool>(this, &m_Wireframe, "Wireframe");
    Declare<_cBool>(this, &m_ShowFps, "ShowFps");
    Declare<_cBool>(this, &m_ShowClassExplorerOnStartup, "ShowClassExplorerOnStartup");
    Declare<_cBool>(this, &m_ControlViewerWithGamepad, "ControlViewerWithGamepad");
    Declare<_cBool>(this, &m_Multithreading, "Multithreading");
    Declare<_cBool>(this, &m_Mute, "Mute");
    Declare<_cBool>(this, &m_SlowDown, "SlowDown");
    Declare<_cIndex>(this, &m_TabletLibrary, "TabletLibrary", nullptr, tablets);
    Declare<_cLabelEnum>(this, &m_CurrentTabletLibrary, "CurrentTabletLibrary", nullptr, tablets);
    Declare<_cBool>(this, &m_TreatEraserAsPen, "TreatEraserAsPen");
    TOVAN_BUTTON(RestartThisApplication);
    Declare<cSettings_ClearColor>(this, &m_ClearColor, "ClearColor");
    Declare<_cSliderRangedF>(this, &m_TimeScale, "TimeScale");
    TOVAN_BUTTON(GenFont);
    Declare<_cStr>(this, &m_Title, "Title");
    TOVAN_BUTTON(ImportParticle);
    Separator(this, "");
    Declare<_cIndex>(this, &m_Resources, "Resources", nullptr, EnumExtra(kResourcesEnum));
    TOVAN_BUTTON(ListUnused);
    Separator(this, "Precompile Shaders");
    Declare<_cIndex>(this, &m_ShadersPlatform, "Platform", "PrecompileShaders_Platform",
                     EnumExtra(kShadersPlatformEnum));
    TOVAN_BUTTON(PrecompileShaders);
    Separator(this, "Mobile Platform");
    SetPendingMemberFlags(kMemberNotSaved);
    Declare<_cBool>(this, &m_LowQuality, "LowQuality");
    SetPendingMemberFlags(kMemberNotSaved);
    Declare<_cBool>(this, &m_HomeButtonOnTheRight, "HomeButtonOnTheRight");
    SetPendingMemberFlags(kMemberNotSaved);
    Declare<_cBool>(this, &m_HomeButtonOnTheLeft, "HomeButtonOnTheLeft");
    Separator(this, "Build Data");
    Declare<_cIndex>(this, &m_BuildPlatform, "Platform", "BuildData_Platform", EnumExtra(kPlatformEnum));
    Declare<_cBool>(this, &m_IncludeNormalMaps, "Include Normal Maps", "BuildData_IncludeNormalMaps");
    TOVAN_BUTTON(BuildData);
}

cStr cSettings::EnumLabel(const char* enumName, int32_t value) {
    RegisterSettingsEnums();  // the tools may run before any settings object was made
    cEnum* labels = FindEnum(enumName);
    if (!labels || value < 0)
        return cStr();
    for (int i = 0; i < labels->m_Labels.Count(); ++i)
        if (labels->m_Labels.At(i).index == value)
            return labels->m_Labels.At(i).name;
    return cStr();
}

void cSettings::ReloadTextures() {
    if (RenderDevice)
        RenderDevice->ReloadTextures();
}

void cSettings::ReloadModels() { cIO::ReloadModels(); }
void cSettings::ReloadAnims() { cIO::ReloadAnims(); }
void cSettings::ReloadCameras() { cIO::ReloadCameras(); }
void cSettings::ReloadSounds() {}  // the framework keeps no sounds

void cSettings::ReloadShaders() {
    if (RenderDevice)
        RenderDevice->ReloadShaders();
    RefreshShaderHandles();
}

void cSettings::RestartThisApplication() {
    if (AskYesNo("cIO::RestartThisApplication()", "Restart This Application?"))
        cIO::RestartThisApplication();
}

void cSettings::GenFont() { GenerateFont(); }

// A particle texture keeps no mips and no alpha; the other fields are those
// every import of the settings passes.
void cSettings::ImportParticle() {
    cTextureImportOptions options;
    options.m_Mode = kImportParticle;
    options.m_ColorKeepAlpha = 1;
    options.m_ColorMips = 1;
    options.m_NormalKeepAlpha = 0;
    options.m_InvertGreen = 0;
    options.m_Strength = 1.0f;
    options.m_KeepHeight = 1;
    ImportTexture(options);
}

}  // namespace tovan

// cSettings: the application's one settings object. Its members are the
// user's options, stored as XML under their member names and edited in the
// Class Explorer; its buttons run reloads and the asset tools. It is also a
// widget, so that it can apply settings every frame and take one global key.
#pragma once
#include <cstdint>

#include "classes/class.h"
#include "core/str.h"
#include "core/vec.h"
#include "tools/color_edit.h"
#include "ui/widget.h"
#include "ui/widget_registry.h"

namespace tovan {

// Values of the settings' enums: a value is the label's position.
enum class SettingsShadersPlatform : int32_t { Pc = 0, Xbox360 = 1 };
enum class SettingsPlatform : int32_t { Ios = 0, Tizen = 1 };
enum class SettingsResources : int32_t { Materials = 0, Textures, Models, Anims, Cameras, Bsp, Sounds };

class cSettings : public cClass, public cWidget {
    TOVAN_CLASS(cSettings)
public:
    // The one object, made on the first call and kept until the process ends.
    static cSettings* Instance();

    void SetDefaults() override;
    void ReleaseHooks() override;
    void RegisterMembers() override;

    // --- commands (buttons)
    void ReloadTextures();
    void ReloadModels();
    void ReloadAnims();
    void ReloadCameras();
    void ReloadSounds();
    void ReloadShaders();
    void RestartThisApplication();
    void GenFont();
    void ImportParticle();
    void ListUnused();         // tools/unused_resources.cpp
    void PrecompileShaders();  // tools/shader_precompiler.cpp
    void BuildData();          // tools/data_build.cpp

    // --- widget facet (tools/settings_widget.cpp)
    bool OnKeyDown(KeyCode code) override;
    void Update() override;

    // The label of a value of one of the settings' enums ("" when it has none).
    static cStr EnumLabel(const char* enumName, int32_t value);

    cStr m_ObjectsList;
    cStr m_MenuSceneXmlFile;
    int32_t m_Language = 0;
    bool m_FullScreen = false;
    bool m_VSync = false;
    bool m_GammaCorrection = false;
    bool m_ShowGrid = false;
    bool m_Wireframe = false;
    bool m_ShowFps = false;
    bool m_ShowClassExplorerOnStartup = false;
    bool m_ControlViewerWithGamepad = false;
    bool m_Multithreading = true;
    bool m_Mute = false;
    bool m_SlowDown = false;
    int32_t m_TabletLibrary = 0;
    int32_t m_CurrentTabletLibrary = 0;
    bool m_TreatEraserAsPen = false;
    cSettings_ClearColor m_ClearColor;
    cVec3 m_TimeScale;  // value, minimum, maximum
    cStr m_Title;
    int32_t m_Resources = 0;
    int32_t m_ShadersPlatform = 0;
    bool m_LowQuality = false;
    bool m_HomeButtonOnTheRight = false;
    bool m_HomeButtonOnTheLeft = false;
    int32_t m_BuildPlatform = 0;
    bool m_IncludeNormalMaps = false;

    WidgetHandle m_FpsDisplay = -1;
};

// The Class Explorer the settings opened at start-up, -1 when none.
extern WidgetHandle ClassExplorerHandle;
// True until the first settings update of the program.
extern bool SettingsFirstUpdate;

// Enum names, as the XML labels are looked up.
inline constexpr const char* kShadersPlatformEnum = "cSettings_ShadersPlatform";
inline constexpr const char* kResourcesEnum = "cSettings_Resources";
inline constexpr const char* kLanguageEnum = "cSettings_Language";
inline constexpr const char* kPlatformEnum = "cSettings_Platform";
inline constexpr const char* kTabletLibraryEnum = "cSettings_TabletLibrary";

}  // namespace tovan

// Loading a reflected object with nested lists and a member of every field type
// from arbitrary text, then saving, reloading (what was saved must load without a
// warning) and copying it. Warnings are swallowed and the log is kept from
// growing between runs.
#include <cstdlib>
#include <cstring>

#include "classes/button_field.h"
#include "classes/class_list.h"
#include "classes/field_types.h"
#include "classes/member.h"
#include "classes/vector_fields.h"
#include "core/log.h"
#include "core/os_headless.h"

namespace tovan {
namespace {

class cFuzzNode : public cClass {
    TOVAN_CLASS(cFuzzNode)
public:
    int m_Id = 0;
    float m_Weight = 0.0f;
    bool m_On = false;
    cStr m_Name;
    cClassList<cFuzzNode> m_Children;

    void SetDefaults() override { m_Weight = 1.0f; }
    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Id, "Id");
        TOVAN_MEMBER(_cFloat, m_Weight, "Weight");
        TOVAN_MEMBER(_cBool, m_On, "On");
        TOVAN_MEMBER(_cStr, m_Name, "Name");
        TOVAN_MEMBER(cClassList<cFuzzNode>, m_Children, "Children");
    }
};

class cFuzzLeaf : public cFuzzNode {
    TOVAN_CLASS(cFuzzLeaf)
public:
    int m_Extra = 0;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        InheritMembers(this, SharedPrototype<cFuzzNode>());
        TOVAN_MEMBER(_cInt, m_Extra, "Extra");
    }
};

// One member of every field type.
class cFuzzFields : public cClass {
    TOVAN_CLASS(cFuzzFields)
public:
    float m_Float = 0;
    int32_t m_Int = 0;
    cStr m_Str;
    cVec2 m_Float2;
    cVec3 m_Float3;
    cVec4 m_Float4;
    cVec2i m_Vec2i;
    cVec3i m_Vec3i;
    cColor m_Color;
    bool m_Bool = false;
    int32_t m_Bind = 0;
    int32_t m_SliderI = 0;
    float m_SliderF = 0;
    int32_t m_EditSliderI = 0;
    float m_EditSliderF = 0;
    cVec3i m_RangedI;
    cVec3 m_RangedF;
    cStr m_ImageFile, m_ModelFile, m_AnimFile, m_CameraFile, m_BspFile, m_XmlFile, m_SoundFile;
    int32_t m_ImageID = 0;
    cStr m_Label;
    int32_t m_LabelInt = 0;
    int32_t m_LabelEnum = 0;
    int32_t m_Index = 0;
    int32_t m_Unlabelled = 0;
    int m_Presses = 0;

    void Press() { ++m_Presses; }

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        cEnum* labels = reinterpret_cast<cEnum*>(EnumExtra("cFuzzEnum"));
        if (labels->m_Labels.Count() == 0) {
            labels->m_Labels.Add("A");
            labels->m_Labels.Add("B");
            labels->m_Labels.Add("C");
        }
        TOVAN_MEMBER(_cFloat, m_Float, "Float");
        TOVAN_MEMBER(_cInt, m_Int, "Int");
        TOVAN_MEMBER(_cStr, m_Str, "Str");
        TOVAN_MEMBER(_cFloat2, m_Float2, "Float2");
        TOVAN_MEMBER(_cFloat3, m_Float3, "Float3");
        TOVAN_MEMBER(_cFloat4, m_Float4, "Float4");
        TOVAN_MEMBER(_cVec2i, m_Vec2i, "Vec2i");
        TOVAN_MEMBER(_cVec3i, m_Vec3i, "Vec3i");
        TOVAN_MEMBER(_cColor, m_Color, "Color");
        TOVAN_MEMBER(_cBool, m_Bool, "Bool");
        TOVAN_MEMBER(_cBind, m_Bind, "Bind");
        TOVAN_MEMBER(_cSliderI, m_SliderI, "SliderI", SliderRangeI(0, 10));
        TOVAN_MEMBER(_cSliderF, m_SliderF, "SliderF", SliderRangeF(0.0f, 1.0f));
        TOVAN_MEMBER(_cEditSliderI, m_EditSliderI, "EditSliderI", SliderRangeI(0, 10));
        TOVAN_MEMBER(_cEditSliderF, m_EditSliderF, "EditSliderF", SliderRangeF(0.0f, 1.0f));
        TOVAN_MEMBER(_cSliderRangedI, m_RangedI, "RangedI");
        TOVAN_MEMBER(_cSliderRangedF, m_RangedF, "RangedF");
        DeclareHeading<_cSeparator>(this, "Files");
        TOVAN_MEMBER(_cImageFile, m_ImageFile, "ImageFile");
        TOVAN_MEMBER(_cModelFile, m_ModelFile, "ModelFile");
        TOVAN_MEMBER(_cAnimFile, m_AnimFile, "AnimFile");
        TOVAN_MEMBER(_cCameraFile, m_CameraFile, "CameraFile");
        TOVAN_MEMBER(_cBspFile, m_BspFile, "BspFile");
        TOVAN_MEMBER(_cXmlFile, m_XmlFile, "XmlFile");
        TOVAN_MEMBER(_cSoundFile, m_SoundFile, "SoundFile");
        TOVAN_MEMBER(_cImageID, m_ImageID, "ImageID");
        TOVAN_MEMBER(_cLabel, m_Label, "Label");
        TOVAN_MEMBER(_cLabelInt, m_LabelInt, "LabelInt");
        TOVAN_MEMBER(_cLabelEnum, m_LabelEnum, "LabelEnum", reinterpret_cast<uintptr_t>(labels));
        TOVAN_MEMBER(_cIndex, m_Index, "Index", reinterpret_cast<uintptr_t>(labels));
        TOVAN_MEMBER(_cIndex, m_Unlabelled, "Unlabelled");  // no enum
        TOVAN_BUTTON(Press);
    }
};

class cFuzzDoc : public cClass {
    TOVAN_CLASS(cFuzzDoc)
public:
    int m_Count = 0;
    cStr m_Title;
    int m_PlatformA = 0;
    int m_PlatformB = 0;
    cFuzzNode m_Root;
    cClassList<cFuzzNode> m_Nodes;
    cFuzzFields m_Fields;
    cClassList<cFuzzFields> m_FieldItems;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Count, "Count");
        TOVAN_MEMBER(_cStr, m_Title, "Title");
        TOVAN_MEMBER(_cInt, m_PlatformA, "Platform");
        TOVAN_MEMBER(_cInt, m_PlatformB, "Platform");
        TOVAN_MEMBER(cFuzzNode, m_Root, "Root");
        TOVAN_MEMBER(cClassList<cFuzzNode>, m_Nodes, "Nodes");
        TOVAN_MEMBER(cFuzzFields, m_Fields, "Fields");
        TOVAN_MEMBER(cClassList<cFuzzFields>, m_FieldItems, "FieldItems");
    }
};

// Keeps the log from growing and windows from opening; counts the warnings.
class Quiet : public LogObserver {
public:
    void OnMessage(bool warning, const char*) override { m_Warnings += warning; }
    int OnLogWindow(LogWindowMode) override { return kLogIgnore; }

    int m_Warnings = 0;
};

}  // namespace
}  // namespace tovan

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tovan;
    static Quiet quiet;
    static bool ready = [] {
        SetLogObserver(&quiet);
        // Without a log file the log keeps every message in memory; with one it keeps
        // the latest and hands the rest to the file, here the null device.
        os::headless::SetDriveRoot("/dev");
        SetLogFileName("C:\\null");
        cFuzzNode().Register();
        cFuzzLeaf().Register();
        cFuzzFields().Register();
        cFuzzDoc().Register();
        return true;
    }();
    (void)ready;

    cStr text(reinterpret_cast<const char*>(data), int(size));
    cFuzzDoc sample;
    cClass* doc = sample.CreateInstance();
    doc->LoadFromText(text.GetText());
    cStr saved;
    if (!doc->SaveToText(saved))
        std::abort();
    // Whatever was written reads back without a complaint.
    cClass* again = doc->CreateInstance();
    quiet.m_Warnings = 0;
    if (!again->LoadFromText(saved.GetText()) || quiet.m_Warnings != 0)
        std::abort();
    doc->Copy(doc, 0, again, again, 0);
    delete again;
    delete doc;
    return 0;
}

// A reflected class with one member of every field type, each of the type its
// field type expects; shared by the class-engine tests and the load fuzz target.
#pragma once
#include "classes/button_field.h"
#include "classes/field_types.h"
#include "classes/member.h"
#include "classes/vector_fields.h"

namespace tovan::test {

inline cEnum* SampleLanguages() {
    cEnum* languages = reinterpret_cast<cEnum*>(EnumExtra("cFieldMemberLanguage"));
    if (languages->m_Labels.Count() == 0) {
        languages->m_Labels.Add("English");
        languages->m_Labels.Add("Russian");
    }
    return languages;
}

class cAllFields : public cClass {
    TOVAN_CLASS(cAllFields)
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
    int m_Resets = 0;

    void Reset() { ++m_Resets; }

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        const uintptr_t languages = reinterpret_cast<uintptr_t>(SampleLanguages());
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
        TOVAN_MEMBER(_cSliderI, m_SliderI, "SliderI", SliderRangeI(-10, 10));
        TOVAN_MEMBER(_cSliderF, m_SliderF, "SliderF", SliderRangeF(0.0f, 1.0f));
        TOVAN_MEMBER(_cEditSliderI, m_EditSliderI, "EditSliderI", SliderRangeI(0, 100));
        TOVAN_MEMBER(_cEditSliderF, m_EditSliderF, "EditSliderF", SliderRangeF(-1.0f, 1.0f));
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
        TOVAN_MEMBER(_cLabelEnum, m_LabelEnum, "LabelEnum", languages);
        TOVAN_MEMBER(_cIndex, m_Index, "Index", languages);
        TOVAN_BUTTON(Reset);
    }

    // Every member away from its default.
    void Scribble() {
        m_Float = 0.5f;
        m_Int = -7;
        m_Str = "s";
        m_Float2 = {1, 2};
        m_Float3 = {1, 2, 3};
        m_Float4 = {1, 2, 3, 4};
        m_Vec2i = {5, 6};
        m_Vec3i = {7, 8, 9};
        m_Color = {0.25f, 0.5f, 0.75f, 1};
        m_Bool = true;
        m_Bind = 93;
        m_SliderI = 3;
        m_SliderF = 0.25f;
        m_EditSliderI = 4;
        m_EditSliderF = -0.5f;
        m_RangedI = {5, 0, 10};
        m_RangedF = {1.5f, 0, 2};
        m_ImageFile = "a.dds";
        m_ModelFile = "b.obj";
        m_AnimFile = "c.md5anim";
        m_CameraFile = "d.cc";
        m_BspFile = "e.cb";
        m_XmlFile = "f.xml";
        m_SoundFile = "g.wav";
        m_ImageID = 12;
        m_Label = "shown";
        m_LabelInt = 3;
        m_LabelEnum = 1;
        m_Index = 1;
    }
};

}  // namespace tovan::test

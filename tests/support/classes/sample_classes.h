// Reflected sample classes shared by the tests and the class-engine fuzz target.
// The registry is process-wide, so every test works with these same classes
// whatever order the tests run in.
#pragma once
#include <memory>

#include "classes/button_field.h"
#include "classes/class.h"
#include "classes/class_list.h"
#include "classes/field_types.h"
#include "classes/member.h"
#include "classes/vector_fields.h"

namespace tovan::test {

class cSampleItem : public cClass {
    TOVAN_CLASS(cSampleItem)
public:
    int m_Value = 0;
    cStr m_Label;

    void SetDefaults() override { m_Value = 7; }
    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Value, "Value");
        TOVAN_MEMBER(_cStr, m_Label, "Label");
    }
};

// Inherits cSampleItem's members through the registry.
class cSampleHeavyItem : public cSampleItem {
    TOVAN_CLASS(cSampleHeavyItem)
public:
    float m_Weight = 0.0f;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        InheritMembers(this, SharedPrototype<cSampleItem>());
        TOVAN_MEMBER(_cFloat, m_Weight, "Weight");
    }
};

// Registered, but unrelated to cSampleItem.
class cSampleStranger : public cClass {
    TOVAN_CLASS(cSampleStranger)
public:
    int m_Value = 0;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Value, "Value");
    }
};

class cSampleDoc : public cClass {
    TOVAN_CLASS(cSampleDoc)
public:
    int m_Count = 0;
    float m_Scale = 0.0f;
    bool m_Enabled = false;
    cStr m_Title;
    cSampleItem m_Child;
    cClassList<cSampleItem> m_Items;
    int m_Secret = 0;
    int m_ShaderPlatform = 0;
    int m_BuildPlatform = 0;

    void SetDefaults() override {
        m_Scale = 1.0f;
        m_Enabled = true;
    }
    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Count, "Count");
        TOVAN_MEMBER(_cFloat, m_Scale, "Scale");
        TOVAN_MEMBER(_cBool, m_Enabled, "Enabled");
        TOVAN_MEMBER(_cStr, m_Title, "Title");
        TOVAN_MEMBER(cSampleItem, m_Child, "Child");
        TOVAN_MEMBER(cClassList<cSampleItem>, m_Items, "Items");
        SetPendingMemberFlags(kMemberNotSaved);
        TOVAN_MEMBER(_cInt, m_Secret, "Secret");
        TOVAN_MEMBER(_cInt, m_ShaderPlatform, "Platform");
        TOVAN_MEMBER(_cInt, m_BuildPlatform, "Platform");
    }
};

// An object holding a list of its own class (and of a class derived from it), so
// that files can nest it deeply; every level has values of its own to read.
class cSampleTree : public cClass {
    TOVAN_CLASS(cSampleTree)
public:
    int m_Id = 0;
    float m_Weight = 0.0f;
    bool m_On = false;
    cStr m_Name;
    cClassList<cSampleTree> m_Children;

    void SetDefaults() override { m_Weight = 1.0f; }
    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Id, "Id");
        TOVAN_MEMBER(_cFloat, m_Weight, "Weight");
        TOVAN_MEMBER(_cBool, m_On, "On");
        TOVAN_MEMBER(_cStr, m_Name, "Name");
        TOVAN_MEMBER(cClassList<cSampleTree>, m_Children, "Children");
    }
};

class cSampleTreeLeaf : public cSampleTree {
    TOVAN_CLASS(cSampleTreeLeaf)
public:
    int m_Extra = 0;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        InheritMembers(this, SharedPrototype<cSampleTree>());
        TOVAN_MEMBER(_cInt, m_Extra, "Extra");
    }
};

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

// Every field type, and an enum value whose member has no enum: each read of it
// with reports on is reported.
class cAllFieldsUnlabelled : public cAllFields {
    TOVAN_CLASS(cAllFieldsUnlabelled)
public:
    int32_t m_Unlabelled = 0;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        InheritMembers(this, SharedPrototype<cAllFields>());
        TOVAN_MEMBER(_cIndex, m_Unlabelled, "Unlabelled");
    }
};

// Every kind of member the engine reads at once: values, two members sharing a
// name, a nested tree, lists of a class and its derived class, every field type
// as a member and as list items. The document of the load fuzz target.
class cSampleEverything : public cClass {
    TOVAN_CLASS(cSampleEverything)
public:
    int m_Count = 0;
    cStr m_Title;
    int m_PlatformA = 0;
    int m_PlatformB = 0;
    cSampleTree m_Root;
    cClassList<cSampleTree> m_Nodes;
    cAllFieldsUnlabelled m_Fields;
    cClassList<cAllFieldsUnlabelled> m_FieldItems;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Count, "Count");
        TOVAN_MEMBER(_cStr, m_Title, "Title");
        TOVAN_MEMBER(_cInt, m_PlatformA, "Platform");
        TOVAN_MEMBER(_cInt, m_PlatformB, "Platform");
        TOVAN_MEMBER(cSampleTree, m_Root, "Root");
        TOVAN_MEMBER(cClassList<cSampleTree>, m_Nodes, "Nodes");
        TOVAN_MEMBER(cAllFieldsUnlabelled, m_Fields, "Fields");
        TOVAN_MEMBER(cClassList<cAllFieldsUnlabelled>, m_FieldItems, "FieldItems");
    }
};

// Registers the sample classes once, as an application registers its own.
void RegisterSampleClasses();

// A fresh object holding its defaults, as CreateInstance makes it.
template <class T>
std::unique_ptr<T> Fresh() {
    RegisterSampleClasses();
    T sample;
    return std::unique_ptr<T>(static_cast<T*>(sample.CreateInstance()));
}

}  // namespace tovan::test

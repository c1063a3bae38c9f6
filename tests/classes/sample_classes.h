// Reflected classes the class-engine tests share. The registry is process-wide, so
// every test works with these same classes whatever order the tests run in.
#pragma once
#include <memory>
#include <string>

#include "classes/class.h"
#include "classes/class_list.h"
#include "classes/field_types.h"
#include "classes/member.h"

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

// Registers the sample classes once, as an application registers its own.
void RegisterSampleClasses();

// A fresh object holding its defaults, as CreateInstance makes it.
template <class T>
std::unique_ptr<T> Fresh() {
    RegisterSampleClasses();
    T sample;
    return std::unique_ptr<T>(static_cast<T*>(sample.CreateInstance()));
}

std::string SaveText(cClass& object);

}  // namespace tovan::test

// Every field type as a declared member: declaration, defaults, load and save of
// whole objects, buttons and the debug counters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classes/debug.h"
#include "tests/classes/class_test_support.h"
#include "tests/support/classes/sample_classes.h"
#include "tests/support/log_capture.h"

namespace tovan::test {
namespace {

const char kWarningHead[] = "Class engine warning!\r\n\r\n";

const char kAllFieldsSaved[] =
    "<cAllFields>\n"
    " <Float>0.500</Float>\n"
    " <Int>-7</Int>\n"
    " <Str>s</Str>\n"
    " <Float2>1.000 2.000</Float2>\n"
    " <Float3>1.000 2.000 3.000</Float3>\n"
    " <Float4>1.000 2.000 3.000 4.000</Float4>\n"
    " <Vec2i>5 6</Vec2i>\n"
    " <Vec3i>7 8 9</Vec3i>\n"
    " <Color>0.250 0.500 0.750 1.000</Color>\n"
    " <Bool>true</Bool>\n"
    " <Bind>93</Bind>\n"
    " <SliderI>3</SliderI>\n"
    " <SliderF>0.250</SliderF>\n"
    " <EditSliderI>4</EditSliderI>\n"
    " <EditSliderF>-0.500</EditSliderF>\n"
    " <RangedI>5 0 10</RangedI>\n"
    " <RangedF>1.500 0.000 2.000</RangedF>\n"
    " <ImageFile>a.dds</ImageFile>\n"
    " <ModelFile>b.obj</ModelFile>\n"
    " <AnimFile>c.md5anim</AnimFile>\n"
    " <CameraFile>d.cc</CameraFile>\n"
    " <BspFile>e.cb</BspFile>\n"
    " <XmlFile>f.xml</XmlFile>\n"
    " <SoundFile>g.wav</SoundFile>\n"
    " <Index>Russian</Index>\n"
    "</cAllFields>\n";

TEST(FieldMembers, DeclaringEveryFieldTypeRaisesNoTypeWarning) {
    LogCapture capture;
    cAllFields object;
    EXPECT_EQ(object.GetAmountOfMembers(), 31);
    EXPECT_TRUE(capture.Warnings().empty());
    const cClassDesc* desc = object.GetClassDescriptor();
    ASSERT_NE(desc, nullptr);
    const auto* range = reinterpret_cast<const cSliderRangeF*>(desc->m_Members[12]->m_Extra);
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->minimum, 0.0f);
    EXPECT_EQ(range->maximum, 1.0f);
    const auto* ints = reinterpret_cast<const cSliderRangeI*>(desc->m_Members[11]->m_Extra);
    EXPECT_EQ(ints->minimum, -10);
    EXPECT_EQ(ints->maximum, 10);
    EXPECT_EQ(desc->m_Members[30]->m_Extra, 0u);
    EXPECT_EQ(desc->m_Members[17]->m_NotSaved, 1);  // the heading
    EXPECT_STREQ(desc->m_Members[30]->m_Name.GetText(), "&cAllFields::Reset");
    EXPECT_EQ(reinterpret_cast<cEnum*>(desc->m_Members[29]->m_Extra), SampleLanguages());
}

TEST(FieldMembers, IndexRegistersItselfAfterTheBuiltins) {
    cAllFields object;
    object.GetAmountOfMembers();
    const cClass* prototype = FindClassPrototype("_cIndex");
    ASSERT_NE(prototype, nullptr);
    int index = -1;
    int labelEnum = -1;
    for (int i = 0; i < ClassCount(); ++i) {
        if (ClassDescriptorAt(i)->m_Prototype == prototype)
            index = i;
        if (ClassDescriptorAt(i)->m_Prototype == FindClassPrototype("_cLabelEnum"))
            labelEnum = i;
    }
    EXPECT_GT(index, labelEnum);
}

TEST(FieldMembers, CreatedObjectHoldsTheDefaults) {
    auto object = Fresh<cAllFields>();
    EXPECT_EQ(object->m_Bind, -1);
    EXPECT_EQ(object->m_ImageID, -1);
    EXPECT_EQ(object->m_RangedI, (cVec3i{0, 0, 1}));
    EXPECT_EQ(object->m_RangedF, (cVec3{0, 0, 1}));
    EXPECT_EQ(object->m_Color, (cColor{}));
    EXPECT_EQ(object->m_Index, 0);
    EXPECT_EQ(SaveText(*object), "<cAllFields></cAllFields>\n");
}

TEST(FieldMembers, SaveWritesEveryValueAndDisplayOnlyNothing) {
    auto object = Fresh<cAllFields>();
    object->Scribble();
    EXPECT_EQ(SaveText(*object), kAllFieldsSaved);
}

TEST(FieldMembers, RoundTrip) {
    auto object = Fresh<cAllFields>();
    object->Scribble();
    const std::string saved = SaveText(*object);
    auto back = Fresh<cAllFields>();
    ASSERT_TRUE(back->LoadFromText(saved.c_str()));
    EXPECT_EQ(SaveText(*back), saved);
    EXPECT_EQ(back->m_Color, object->m_Color);
    EXPECT_EQ(back->m_RangedF, object->m_RangedF);
    EXPECT_EQ(back->m_Index, 1);
    EXPECT_EQ(back->m_ImageID, -1);  // display-only values are not kept
    EXPECT_EQ(back->m_LabelInt, 0);
}

TEST(FieldMembers, CopyMemberByMember) {
    auto object = Fresh<cAllFields>();
    object->Scribble();
    auto copy = Fresh<cAllFields>();
    cClass* source = object.get();
    ASSERT_TRUE(source->Copy(source, 0, copy.get(), copy.get(), 0));
    EXPECT_EQ(SaveText(*copy), kAllFieldsSaved);
    EXPECT_EQ(copy->m_ImageID, 12);
    EXPECT_STREQ(copy->m_Label.GetText(), "shown");
    EXPECT_EQ(copy->m_LabelInt, 0);  // through XML
    EXPECT_EQ(copy->m_LabelEnum, 0);
}

// Display-only members are reset whatever the file says; buttons and headings
// named in a file are ignored without a warning.
TEST(FieldMembers, DisplayOnlyMembersResetOnLoad) {
    auto object = Fresh<cAllFields>();
    object->Scribble();
    LogCapture capture;
    ASSERT_TRUE(
        object->LoadFromText("<cAllFields><ImageID>4</ImageID><Label>x</Label><LabelInt>5</LabelInt>"
                             "<LabelEnum>Russian</LabelEnum><Files>1</Files>"
                             "<&cAllFields::Reset>1</&cAllFields::Reset></cAllFields>"));
    EXPECT_EQ(object->m_ImageID, -1);
    EXPECT_TRUE(object->m_Label.IsEmpty());
    EXPECT_EQ(object->m_LabelInt, 0);
    EXPECT_EQ(object->m_LabelEnum, 0);
    EXPECT_EQ(object->m_Resets, 0);
    EXPECT_EQ(object->m_Int, -7);
    EXPECT_TRUE(capture.Warnings().empty());
}

// Every value that does not parse is reported with its own message and left zero
// (the binding -1); the load goes on and succeeds.
TEST(FieldMembers, BadValuesAreReportedAndZeroed) {
    struct Bad {
        const char* element;
        const char* text;
        const char* message;  // null: read without report
    };
    const Bad bad[] = {
        {"Float", "abc", "unable to read float from XML: %s\n"},
        {"Int", "x", "unable to read dword from XML: %s\n"},
        {"Float2", "1 2 3", "Parsing error during \"_cFloat2\" read from XML: %s\n"},
        {"Float3", "1 2", "Parsing error during \"_cFloat3\" read from XML: %s\n"},
        {"Float4", "1 2 3 x", "Parsing error during \"_cFloat4\" read from XML: %s\n"},
        {"Vec2i", "1 2 3", "Parsing error during \"_cVec2i\" read from XML: %s\n"},
        {"Vec3i", "1,2", "Parsing error during \"_cVec3i\" read from XML: %s\n"},
        {"Color", "1 2 3", "Parsing error during \"_cFloat4\" read from XML: %s\n"},
        {"Bool", "True", nullptr},
        {"Bind", "none", "Parsing error during \"int\" read from XML: %s\n"},
        {"SliderI", "q", "unable to read dword from XML: %s\n"},
        {"SliderF", "q", "unable to read float from XML: %s\n"},
        {"EditSliderI", "", "unable to read dword from XML: %s\n"},
        {"EditSliderF", "-", "unable to read float from XML: %s\n"},
        {"RangedI", "5", "Parsing error during \"_cVec3i\" read from XML: %s\n"},
        {"RangedF", "a b c", "Parsing error during \"_cFloat3\" read from XML: %s\n"},
        {"Index", "Klingon", nullptr},
    };
    std::string text = "<cAllFields>";
    std::vector<std::string> expected;
    for (const Bad& b : bad) {
        const std::string element = std::string("<") + b.element + ">" + b.text + "</" + b.element + ">";
        text += element;
        if (b.message)
            expected.push_back(kWarningHead + std::string(cStr::Format(b.message, b.text).GetText()) +
                               "XML source: " + element + "\n\r\n");
    }
    text += "<Str>kept</Str></cAllFields>";

    auto object = Fresh<cAllFields>();
    object->Scribble();
    LogCapture capture;
    ASSERT_TRUE(object->LoadFromText(text.c_str()));
    EXPECT_EQ(capture.Warnings(), expected);
    EXPECT_EQ(object->m_Float, 0.0f);
    EXPECT_EQ(object->m_Int, 0);
    EXPECT_EQ(object->m_Float2, (cVec2{}));
    EXPECT_EQ(object->m_Float3, (cVec3{}));
    EXPECT_EQ(object->m_Float4, (cVec4{}));
    EXPECT_EQ(object->m_Vec2i, (cVec2i{}));
    EXPECT_EQ(object->m_Vec3i, (cVec3i{}));
    EXPECT_EQ(object->m_Color, (cColor{}));
    EXPECT_FALSE(object->m_Bool);
    EXPECT_EQ(object->m_Bind, -1);
    EXPECT_EQ(object->m_SliderI, 0);
    EXPECT_EQ(object->m_SliderF, 0.0f);
    EXPECT_EQ(object->m_EditSliderI, 0);
    EXPECT_EQ(object->m_EditSliderF, 0.0f);
    EXPECT_EQ(object->m_RangedI, (cVec3i{}));
    EXPECT_EQ(object->m_RangedF, (cVec3{}));
    EXPECT_EQ(object->m_Index, 0);
    EXPECT_STREQ(object->m_Str.GetText(), "kept");
}

TEST(FieldMembers, LoadFromFileReadsQuietly) {
    auto object = Fresh<cAllFields>();
    XmlNode node;
    ASSERT_GT(node.Parse("<cAllFields><Vec2i>1 2 3</Vec2i><Bind>x</Bind></cAllFields>"), 0);
    cReadContext quiet;
    LogCapture capture;
    EXPECT_TRUE(object->FromXml(&node, object.get(), &quiet, 0));
    EXPECT_TRUE(capture.Warnings().empty());
    EXPECT_EQ(object->m_Bind, -1);
    EXPECT_EQ(object->m_Vec2i, (cVec2i{}));
}

// --- buttons -----------------------------------------------------------------

// A base that is not a class-engine class, placed before cClass, so the cClass part
// does not start the object.
class cSampleWidget {
public:
    virtual ~cSampleWidget() = default;
    void Poke() { ++m_Pokes; }

    int m_Pokes = 0;
    char m_Padding[20] = {};
};

class cSampleTwoBases : public cSampleWidget, public cClass {
    TOVAN_CLASS(cSampleTwoBases)
public:
    int32_t m_Value = 0;
    int m_Runs = 0;

    void Run() { m_Runs += 1 + m_Value; }

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Value, "Value");
        TOVAN_BUTTON(Run);
        TOVAN_BUTTON(Poke);
    }
};

// Inherits the buttons through the registry.
class cSampleTwoBasesMore : public cSampleTwoBases {
    TOVAN_CLASS(cSampleTwoBasesMore)
public:
    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        InheritMembers(this, SharedPrototype<cSampleTwoBases>());
    }
};

cClass* ButtonOf(cClass& object, const char* name, void** address) {
    cClass* fieldType = nullptr;
    uintptr_t extra = 0;
    if (!object.FindMember(name, &fieldType, address, &extra, &object))
        return nullptr;
    return fieldType;
}

TEST(Buttons, DeclaredOnTheOwnerUnderTheMethodName) {
    cSampleTwoBases object;
    ASSERT_EQ(object.GetAmountOfMembers(), 3);
    EXPECT_STREQ(object.GetMemberName(1), "&cSampleTwoBases::Run");
    EXPECT_STREQ(object.GetMemberName(2), "&cSampleTwoBases::Poke");
    cClass* button = object.GetMemberClass(1);
    EXPECT_STREQ(button->GetClassName(), "_cButton");
    EXPECT_TRUE(button->IsButton());
    EXPECT_FALSE(object.GetMemberClass(0)->IsButton());
    cClass* self = &object;  // values are addressed at the cClass part
    EXPECT_EQ(object.GetMemberPtr(1, self), self);
    EXPECT_EQ(object.GetMemberPtr(0, self), &object.m_Value);
}

TEST(Buttons, PressReachesTheOwnerThroughEitherBase) {
    cSampleTwoBases object;
    object.m_Value = 4;
    void* address = nullptr;
    cClass* run = ButtonOf(object, "&cSampleTwoBases::Run", &address);
    ASSERT_NE(run, nullptr);
    run->Press(static_cast<cClass*>(address));
    EXPECT_EQ(object.m_Runs, 5);
    cClass* poke = ButtonOf(object, "&cSampleTwoBases::Poke", &address);
    ASSERT_NE(poke, nullptr);
    poke->Press(static_cast<cClass*>(address));
    poke->Press(static_cast<cClass*>(address));
    EXPECT_EQ(object.m_Pokes, 2);
    EXPECT_EQ(object.m_Runs, 5);
    run->Press(nullptr);  // no owner: nothing
    EXPECT_EQ(object.m_Runs, 5);
}

TEST(Buttons, CreatedAndInheritedButtonsKeepTheMethod) {
    cSampleTwoBases object;
    void* address = nullptr;
    cClass* run = ButtonOf(object, "&cSampleTwoBases::Run", &address);
    ASSERT_NE(run, nullptr);
    std::unique_ptr<cClass> made(run->CreateInstance());
    EXPECT_TRUE(made->IsButton());
    made->Press(&object);
    EXPECT_EQ(object.m_Runs, 1);

    cSampleTwoBasesMore derived;
    derived.m_Value = 1;
    cClass* inherited = ButtonOf(derived, "&cSampleTwoBases::Run", &address);
    ASSERT_NE(inherited, nullptr);
    EXPECT_NE(inherited, run);
    inherited->Press(static_cast<cClass*>(address));
    EXPECT_EQ(derived.m_Runs, 2);
    cClass* poke = ButtonOf(derived, "&cSampleTwoBases::Poke", &address);
    ASSERT_NE(poke, nullptr);
    poke->Press(static_cast<cClass*>(address));
    EXPECT_EQ(derived.m_Pokes, 1);
}

TEST(Buttons, NeverSavedAsValues) {
    cSampleTwoBases sample;
    std::unique_ptr<cClass> object(sample.CreateInstance());
    auto* typed = static_cast<cSampleTwoBases*>(object.get());
    typed->m_Value = 2;
    EXPECT_EQ(SaveText(*object), "<cSampleTwoBases>\n <Value>2</Value>\n</cSampleTwoBases>\n");
    XmlNode tree;
    object->ToXml(&tree, object.get(), 0);
    ASSERT_EQ(tree.ChildCount(), 3);
    EXPECT_STREQ(tree.Child(1)->Name().GetText(), "&cSampleTwoBases::Run");
    EXPECT_TRUE(tree.Child(1)->Text().IsEmpty());
    EXPECT_EQ(typed->m_Runs, 0);
}

// --- debug counters ----------------------------------------------------------

TEST(Debug, OneObjectWithTwoDisplayOnlyCounters) {
    cDebug* debug = cDebug::Instance();
    ASSERT_NE(debug, nullptr);
    EXPECT_EQ(cDebug::Instance(), debug);
    EXPECT_STREQ(debug->GetClassName(), "cDebug");
    ASSERT_EQ(debug->GetAmountOfMembers(), 2);
    EXPECT_STREQ(debug->GetMemberName(0), "OpenFilesCount");
    EXPECT_STREQ(debug->GetMemberName(1), "InputEventsCount");
    cClass* label = FindClassPrototype("_cLabelInt");
    EXPECT_EQ(debug->GetMemberClass(0), label);  // the shared prototype itself
    EXPECT_EQ(debug->GetMemberClass(1), label);
    EXPECT_EQ(debug->GetMemberPtr(1, debug), &debug->m_InputEventsCount);
    EXPECT_EQ(debug->GetMemberExtra(1), 0u);
    EXPECT_EQ(FindClassPrototype("cDebug"), nullptr);  // not creatable by name
    EXPECT_NE(FindClassDescriptor("cDebug"), nullptr);
}

TEST(Debug, CountersAreWrittenEmptyAndReadAsZero) {
    cDebug sample;
    std::unique_ptr<cClass> object(sample.CreateInstance());
    auto* debug = static_cast<cDebug*>(object.get());
    debug->m_InputEventsCount = 3;
    debug->m_OpenFilesCount = 1;
    EXPECT_EQ(SaveText(*debug), "<cDebug></cDebug>\n");
    ASSERT_TRUE(debug->LoadFromText("<cDebug><InputEventsCount>5</InputEventsCount></cDebug>"));
    EXPECT_EQ(debug->m_InputEventsCount, 0);
    EXPECT_EQ(debug->m_OpenFilesCount, 1);
    EXPECT_EQ(debug->CountVisibleMembers(debug, kRowsAll), 2);
}

}  // namespace
}  // namespace tovan::test

#include "classes/registry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>

#include "tests/classes/class_test_support.h"
#include "tests/support/classes/sample_classes.h"
#include "tests/support/log_capture.h"

namespace tovan::test {
namespace {

const char kLogHead[] = "--------------------------------------------------\r\nClass engine warning!\r\n";

// Declares a float field type on an int member: the declaration is reported.
class cSampleMistyped : public cClass {
    TOVAN_CLASS(cSampleMistyped)
public:
    int m_Count = 0;
    bool m_Flag = false;
    cStr m_Name;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cFloat, m_Count, "Count");
        TOVAN_MEMBER(_cInt, m_Flag, "Flag");
        TOVAN_MEMBER(_cBool, m_Name, "Name");
        TOVAN_MEMBER(_cStr, m_Name, "Text");  // strings take anything
    }
};

// A heading row without a value of its own, then one value.
class cSampleHeading : public cClass {
    TOVAN_CLASS(cSampleHeading)
public:
    int m_Value = 0;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        cClass* heading = NewFieldType("_cInt", [] { return static_cast<cClass*>(new _cInt()); });
        RegisterMember(heading, nullptr, "Heading", 0, GetClassName(), 0);
        TOVAN_MEMBER(_cInt, m_Value, "Value");
    }
};

// Used by one test only, so that its first declaration registers it.
class cSampleInner : public cClass {
    TOVAN_CLASS(cSampleInner)
public:
    int m_A = 0;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_A, "A");
    }
};

class cSampleOuter : public cClass {
    TOVAN_CLASS(cSampleOuter)
public:
    cSampleInner m_Inner;
    int m_B = 0;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        SetPendingMemberFlags(kMemberNotSaved | kMemberExpanded);
        TOVAN_MEMBER(cSampleInner, m_Inner, "Inner");
        TOVAN_MEMBER(_cInt, m_B, "B");
    }
};

TEST(NameIndex, EmptyAndSingle) {
    cNameIndex index;
    EXPECT_EQ(index.Find("a"), -1);
    EXPECT_EQ(index.Find(nullptr), -1);
    index.Add("Name");
    EXPECT_EQ(index.Find("Name"), 0);
    EXPECT_EQ(index.Find("name"), -1);
    EXPECT_EQ(index.Find("Nam"), -1);
    EXPECT_EQ(index.Find("Names"), -1);
}

TEST(NameIndex, SortedWithInsertionIndices) {
    cNameIndex index;
    index.Add("b");
    index.Add("a");
    index.Add(nullptr);
    index.Add("c");
    ASSERT_EQ(index.Count(), 3);
    EXPECT_STREQ(index.At(0).name.GetText(), "a");
    EXPECT_STREQ(index.At(1).name.GetText(), "b");
    EXPECT_STREQ(index.At(2).name.GetText(), "c");
    EXPECT_EQ(index.At(0).index, 1);
    EXPECT_EQ(index.At(1).index, 0);
    EXPECT_EQ(index.At(2).index, 2);
    EXPECT_EQ(index.Find("c"), 2);
    EXPECT_EQ(index.Find("a"), 1);
}

TEST(NameIndex, ManyNamesByteWiseOrder) {
    cNameIndex index;
    const char* names[] = {"zeta", "Alpha", "alpha", "_cInt", "\xE9t\xE9", "beta", "", "Beta", "a.b", "a"};
    for (const char* name : names)
        index.Add(name);
    for (int i = 0; i < int(std::size(names)); ++i)
        EXPECT_EQ(index.Find(names[i]), i) << names[i];
    for (int i = 1; i < index.Count(); ++i)
        EXPECT_LT(CompareStrings(index.At(i - 1).name.GetText(), index.At(i).name.GetText()), 0);
}

TEST(Registry, NormalizeTypeName) {
    EXPECT_STREQ(NormalizeTypeName("class tovan::cVec<int,3>").GetText(), "cVec.int.3");
    EXPECT_STREQ(NormalizeTypeName("struct tovan::cVec<int,2>").GetText(), "cVec.int.2");
    EXPECT_STREQ(NormalizeTypeName("float").GetText(), "float");
    EXPECT_STREQ(NormalizeTypeName("class tovan::cClassList<class tovan::cSpline_Node>").GetText(),
                 "cClassList.cSpline_Node");
}

TEST(Registry, ClassEngineLogWrapsTheMessage) {
    LogCapture capture;
    ClassEngineLog("x %d %s", 5, "%s");
    ASSERT_EQ(capture.Warnings().size(), 1u);
    EXPECT_EQ(capture.Warnings()[0], std::string(kLogHead) + "x 5 %s\r\n");
}

TEST(Registry, RegisteringTwiceKeepsTheFirstPrototype) {
    cSampleStranger sample;
    sample.Register();
    cClass* first = FindClassPrototype("cSampleStranger");
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, &sample);
    const int classes = ClassCount();
    sample.Register();
    RegisterClass(&sample, "cSampleStranger", true);
    EXPECT_EQ(FindClassPrototype("cSampleStranger"), first);
    EXPECT_EQ(ClassCount(), classes);
}

TEST(Registry, DottedNamesCanBeSkipped) {
    cSampleStranger sample;
    RegisterClass(&sample, "cClassList.cSkipped", true);
    EXPECT_EQ(FindClassDescriptor("cClassList.cSkipped"), nullptr);
    RegisterClass(&sample, "cRegisteredUnderAlias", false);
    EXPECT_NE(FindClassPrototype("cRegisteredUnderAlias"), nullptr);
}

// The problems with the built-in field types' places in the registry, one line each.
std::string BuiltinOrderProblems() {
    const char* builtins[] = {
        "_cFloat",     "_cInt",         "_cStr",         "_cFloat2",        "_cFloat3",        "_cFloat4",
        "_cVec2i",     "_cVec3i",       "_cColor",       "_cBool",          "_cBind",          "_cSliderI",
        "_cSliderF",   "_cEditSliderI", "_cEditSliderF", "_cSliderRangedI", "_cSliderRangedF", "_cSeparator",
        "_cImageFile", "_cModelFile",   "_cAnimFile",    "_cCameraFile",    "_cBspFile",       "_cXmlFile",
        "_cSoundFile", "_cImageID",     "_cLabel",       "_cLabelInt",      "_cLabelEnum",
    };
    std::string problems;
    int last = -1;
    for (const char* name : builtins) {
        const std::string at = std::string(name) + ": ";
        cClass* prototype = FindClassPrototype(name);
        if (!prototype) {
            problems += at + "no prototype\n";
            continue;
        }
        if (std::string(prototype->GetClassName()) != name || prototype->IsCompound())
            problems += at + "prototype of " + prototype->GetClassName() + "\n";
        std::unique_ptr<cClass> made(prototype->CreateInstance());
        if (std::string(made->GetClassName()) != name || made->GetClassDescriptor() != FindClassDescriptor(name))
            problems += at + "made " + made->GetClassName() + "\n";
        int position = -1;
        for (int i = 0; i < ClassCount(); ++i)
            if (ClassDescriptorAt(i)->m_Prototype == prototype)
                position = i;
        if (position <= last)
            problems += at + "at " + std::to_string(position) + ", not after " + std::to_string(last) + "\n";
        last = position;
    }
    return problems;
}

void InitFirst() { Fresh<cSampleDoc>(); }

// Members counted on an object never initialised are declared before any Init.
void DeclareFirst() {
    cSampleStranger object;
    object.GetAmountOfMembers();
    Fresh<cSampleDoc>();
}

// The registry lives as long as the process and every test adds to it, so each
// start is checked in a new process of its own (not a copy of this one).
TEST(Registry, BuiltinFieldTypesFirst) {
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct {
        const char* name;
        void (*start)();
    } starts[] = {{"first Init", InitFirst}, {"first declaration", DeclareFirst}};
    for (const auto& start : starts) {
        SCOPED_TRACE(start.name);
        EXPECT_EXIT(
            {
                start.start();
                const std::string problems = BuiltinOrderProblems();
                std::fputs(problems.c_str(), stderr);
                std::exit(problems.empty() ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "");
    }
    GTEST_FLAG_SET(death_test_style, style);
}

int g_HookRuns = 0;
void CountingHook() { ++g_HookRuns; }

TEST(Registry, HookSetLateRunsAtOnce) {
    RegisterBuiltinClasses();
    g_HookRuns = 0;
    SetBuiltinClassHook(CountingHook);
    EXPECT_EQ(g_HookRuns, 1);
    RegisterBuiltinClasses();
    EXPECT_EQ(g_HookRuns, 1);
    SetBuiltinClassHook(nullptr);
}

TEST(Registry, PendingFlagsApplyToOneDeclaration) {
    auto doc = Fresh<cSampleDoc>();
    const cClassDesc* desc = doc->GetClassDescriptor();
    ASSERT_NE(desc, nullptr);
    ASSERT_EQ(desc->m_Members.Count(), 9);
    const cMemberDesc* secret = desc->m_Members[6];
    const cMemberDesc* next = desc->m_Members[7];
    EXPECT_STREQ(secret->m_Name.GetText(), "Secret");
    EXPECT_EQ(secret->m_NotSaved, 1);
    EXPECT_EQ(next->m_NotSaved, 0);
    EXPECT_EQ(PendingMemberFlags(), 0u);
    EXPECT_EQ(next->m_Mask, 0xFFFFFFFFu);
    EXPECT_STREQ(next->m_OwnerClassName, "cSampleDoc");
    EXPECT_EQ(next->m_Offset, reinterpret_cast<char*>(&doc->m_ShaderPlatform) -
                                  reinterpret_cast<char*>(static_cast<cClass*>(doc.get())));
    // Each member has a field-type object of its own.
    EXPECT_NE(desc->m_Members[7]->m_FieldType, desc->m_Members[0]->m_FieldType);
    EXPECT_NE(desc->m_Members[0]->m_FieldType, FindClassPrototype("_cInt"));
}

TEST(Registry, PendingFlagsSurviveRegisteringTheFieldType) {
    ASSERT_EQ(FindClassPrototype("cSampleInner"), nullptr);
    auto outer = Fresh<cSampleOuter>();
    const cClassDesc* inner = FindClassDescriptor("cSampleInner");
    ASSERT_NE(inner, nullptr);
    ASSERT_NE(inner->m_Prototype, nullptr);
    ASSERT_EQ(inner->m_Members.Count(), 1);
    EXPECT_EQ(inner->m_Members[0]->m_NotSaved, 0);
    EXPECT_EQ(inner->m_Members[0]->m_Expanded, 0);
    const cClassDesc* desc = outer->GetClassDescriptor();
    ASSERT_EQ(desc->m_Members.Count(), 2);
    EXPECT_EQ(desc->m_Members[0]->m_NotSaved, 1);
    EXPECT_EQ(desc->m_Members[0]->m_Expanded, 1);
    EXPECT_EQ(desc->m_Members[1]->m_NotSaved, 0);
    EXPECT_EQ(outer->m_Inner.GetOwner(), outer.get());
}

TEST(Registry, MemberWithoutAddressIsNeverSaved) {
    auto object = Fresh<cSampleHeading>();
    object->m_Value = 3;
    const cClassDesc* desc = object->GetClassDescriptor();
    ASSERT_EQ(desc->m_Members.Count(), 2);
    EXPECT_EQ(desc->m_Members[0]->m_NotSaved, 1);
    EXPECT_EQ(desc->m_Members[0]->m_Offset, 0);
    EXPECT_EQ(desc->m_Members[1]->m_NotSaved, 0);
    EXPECT_EQ(SaveText(*object), "<cSampleHeading>\n <Value>3</Value>\n</cSampleHeading>\n");
}

TEST(Registry, TypeMismatchIsReportedAndTheMemberStays) {
    LogCapture capture;
    cSampleMistyped object;
    EXPECT_EQ(object.GetAmountOfMembers(), 4);
    const auto warnings = capture.Warnings();
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_EQ(warnings[0],
              std::string(kLogHead) + "Incompatible type used for \"int\" cSampleMistyped::m_Count : _cFloat\r\n");
    EXPECT_EQ(warnings[1],
              std::string(kLogHead) + "Incompatible type used for \"bool\" cSampleMistyped::m_Flag : _cInt\r\n");
    EXPECT_EQ(warnings[2],
              std::string(kLogHead) + "Incompatible type used for \"cStr\" cSampleMistyped::m_Name : _cBool\r\n");
    capture.Clear();
    EXPECT_EQ(object.GetAmountOfMembers(), 4);  // declared once
    EXPECT_TRUE(capture.Warnings().empty());
}

TEST(Registry, InheritMembers) {
    auto heavy = Fresh<cSampleHeavyItem>();
    const cClassDesc* derived = FindClassDescriptor("cSampleHeavyItem");
    const cClassDesc* base = FindClassDescriptor("cSampleItem");
    ASSERT_NE(derived, nullptr);
    ASSERT_NE(base, nullptr);
    ASSERT_EQ(derived->m_Members.Count(), 3);
    EXPECT_STREQ(derived->m_Members[0]->m_Name.GetText(), "Value");
    EXPECT_STREQ(derived->m_Members[1]->m_Name.GetText(), "Label");
    EXPECT_STREQ(derived->m_Members[2]->m_Name.GetText(), "Weight");
    EXPECT_EQ(derived->m_Members[0]->m_Offset, base->m_Members[0]->m_Offset);
    EXPECT_NE(derived->m_Members[0]->m_FieldType, base->m_Members[0]->m_FieldType);
    ASSERT_EQ(derived->m_Bases.Count(), 1);
    EXPECT_STREQ(derived->m_Bases[0].GetText(), "cSampleItem");
    EXPECT_NE(base->m_Derived.Find(cStr("cSampleHeavyItem")), -1);
    EXPECT_EQ(heavy->m_Value, 7);  // the base's defaults apply to the derived class
    EXPECT_TRUE(IsClassDerivedFrom("cSampleHeavyItem", "cSampleItem"));
    EXPECT_TRUE(IsClassDerivedFrom("cSampleItem", "cSampleItem"));
    EXPECT_FALSE(IsClassDerivedFrom("cSampleItem", "cSampleHeavyItem"));
    EXPECT_FALSE(IsClassDerivedFrom("cSampleStranger", "cSampleItem"));
    EXPECT_FALSE(IsClassDerivedFrom(nullptr, "cSampleItem"));
}

// A descriptor answers member names from an index it takes again whenever members
// were added, and tells names that several members share.
TEST(Registry, DescriptorFindsMembersByName) {
    cClassDesc* desc = RegisterClassDescriptor("cSampleGrowingDescriptor");
    struct Step {
        const char* added;  // null: nothing added before the lookups
        const char* name;
        int found;
    };
    const Step steps[] = {
        {nullptr, "A", -1}, {"A", "A", 0},   {nullptr, "a", -1},  // case-sensitive
        {nullptr, "", -1},  {"B", "B", 1},   {nullptr, "A", 0},  {"", "", 2}, {"A", "A", cClassDesc::kSharedName},
        {nullptr, "B", 1},  {"Ab", "Ab", 4},
    };
    for (const Step& step : steps) {
        if (step.added)
            AddMember(desc, step.added);
        EXPECT_EQ(desc->FindMemberByName(step.name), step.found) << step.name << " after " << desc->m_Members.Count();
    }
    const bool shared[] = {true, false, false, true, false};
    ASSERT_EQ(desc->m_Members.Count(), int(std::size(shared)));
    for (int i = 0; i < desc->m_Members.Count(); ++i)
        EXPECT_EQ(desc->HasSharedName(i), shared[i]) << i;
    EXPECT_FALSE(desc->HasSharedName(-1));
    EXPECT_FALSE(desc->HasSharedName(desc->m_Members.Count()));
}

TEST(Registry, Enums) {
    EXPECT_EQ(FindEnum("cSampleLanguage"), nullptr);
    cEnum* languages = RegisterEnum("cSampleLanguage");
    languages->m_Labels.Add("English");
    languages->m_Labels.Add("Russian");
    EXPECT_EQ(FindEnum("cSampleLanguage"), languages);
    EXPECT_STREQ(languages->m_Name.GetText(), "cSampleLanguage");
    EXPECT_EQ(languages->m_Labels.Find("Russian"), 1);
    EXPECT_EQ(languages->m_Labels.Find("German"), -1);
}

}  // namespace
}  // namespace tovan::test

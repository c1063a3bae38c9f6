#include <gtest/gtest.h>

#include <string>

#include "classes/xml.h"
#include "core/stream.h"
#include "io/io.h"
#include "tests/classes/class_test_support.h"
#include "tests/support/classes/sample_classes.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch.h"

namespace tovan::test {
namespace {

const char kWarningHead[] = "Class engine warning!\r\n\r\n";

std::string DocWarning(const std::string& message, const std::string& source) {
    return kWarningHead + message + "XML source: " + source + "\r\n";
}

TEST(ObjectXml, AllDefaultsWriteTheRootAlone) {
    auto doc = Fresh<cSampleDoc>();
    EXPECT_EQ(SaveText(*doc), "<cSampleDoc></cSampleDoc>\n");
}

TEST(ObjectXml, WritesChangedMembersInDeclarationOrder) {
    auto doc = Fresh<cSampleDoc>();
    doc->m_Count = -3;
    doc->m_Scale = 0.5f;
    doc->m_Enabled = false;
    doc->m_Title = "a<b";
    doc->m_Child.m_Label = "kid";
    doc->m_Secret = 99;  // never saved
    EXPECT_EQ(SaveText(*doc),
              "<cSampleDoc>\n"
              " <Count>-3</Count>\n"
              " <Scale>0.500</Scale>\n"
              " <Enabled>false</Enabled>\n"
              " <Title>a&ltb</Title>\n"
              " <Child>\n"
              "  <Label>kid</Label>\n"
              " </Child>\n"
              "</cSampleDoc>\n");
}

TEST(ObjectXml, FullTreeBeforePruning) {
    auto doc = Fresh<cSampleDoc>();
    XmlNode tree;
    doc->ToXml(&tree, static_cast<cClass*>(doc.get()), 0);
    cStr text;
    tree.Write(text, 0);
    EXPECT_STREQ(text.GetText(),
                 "<cSampleDoc>\n"
                 " <Count>0</Count>\n"
                 " <Scale>1.000</Scale>\n"
                 " <Enabled>true</Enabled>\n"
                 " <Title></Title>\n"
                 " <Child>\n"
                 "  <Value>7</Value>\n"
                 "  <Label></Label>\n"
                 " </Child>\n"
                 " <Items></Items>\n"
                 " <Platform>0</Platform>\n"
                 " <Platform>0</Platform>\n"
                 "</cSampleDoc>\n");
    ASSERT_EQ(tree.ChildCount(), 8);
    EXPECT_TRUE(tree.Child(5)->ListFlag());
    EXPECT_FALSE(tree.Child(4)->ListFlag());
}

TEST(ObjectXml, ListItemsAtTheirDefaultsAreStillWritten) {
    auto doc = Fresh<cSampleDoc>();
    doc->m_Items.AddNewItem("cSampleItem", &doc->m_Items);
    doc->m_Items.AddNewItem("cSampleHeavyItem", &doc->m_Items);
    const std::string text = SaveText(*doc);
    EXPECT_EQ(text,
              "<cSampleDoc>\n"
              " <Items>\n"
              "  <cSampleItem></cSampleItem>\n"
              "  <cSampleHeavyItem></cSampleHeavyItem>\n"
              " </Items>\n"
              "</cSampleDoc>\n");
    auto back = Fresh<cSampleDoc>();
    ASSERT_TRUE(back->LoadFromText(text.c_str()));
    ASSERT_EQ(back->m_Items.Count(), 2);
    EXPECT_STREQ(back->m_Items.At(1)->GetClassName(), "cSampleHeavyItem");
    EXPECT_EQ(back->m_Items.At(1)->m_Value, 7);
    EXPECT_EQ(back->m_Items.At(0)->GetOwner(), &back->m_Items);
}

TEST(ObjectXml, ListSavedWholeKeepsItsItems) {
    RegisterSampleClasses();
    cClassList<cSampleItem> list;
    list.AddNewItem("cSampleItem", &list);
    list.AddNewItem("cSampleItem", &list);
    const std::string text = SaveText(list);
    EXPECT_EQ(text,
              "<cClassList.cSampleItem>\n"
              " <cSampleItem></cSampleItem>\n"
              " <cSampleItem></cSampleItem>\n"
              "</cClassList.cSampleItem>\n");
    cClassList<cSampleItem> back;
    ASSERT_TRUE(back.LoadFromText(text.c_str()));
    EXPECT_EQ(back.Count(), 2);
}

void* NoAddress(cClass*) { return nullptr; }

// A member whose pointer getter answers null is written as "NULL" and skipped
// on reading and copying.
TEST(ObjectXml, MemberWithoutAddressIsWrittenAsNull) {
    auto object = Fresh<cSampleStranger>();
    cMemberDesc* member = object->GetClassDescriptor()->m_Members[0];
    member->m_GetPointer = NoAddress;
    XmlNode tree;
    object->ToXml(&tree, static_cast<cClass*>(object.get()), 0);
    cStr text;
    tree.Write(text, 0);
    EXPECT_STREQ(text.GetText(), "<cSampleStranger>\n <Value>NULL</Value>\n</cSampleStranger>\n");
    EXPECT_TRUE(object->LoadFromText("<x><Value>4</Value></x>"));
    auto other = Fresh<cSampleStranger>();
    cClass* source = object.get();
    EXPECT_TRUE(source->Copy(source, 0, other.get(), other.get(), 0));
    member->m_GetPointer = nullptr;
    EXPECT_EQ(object->m_Value, 0);
    EXPECT_EQ(other->m_Value, 0);
}

TEST(ObjectXml, RoundTrip) {
    auto doc = Fresh<cSampleDoc>();
    doc->m_Count = 12;
    doc->m_Scale = 2.25f;
    doc->m_Title = "spaced <tag> & more";
    doc->m_Child.m_Value = 0;
    doc->m_Items.AddNewItem("cSampleHeavyItem", &doc->m_Items);
    static_cast<cSampleHeavyItem*>(doc->m_Items.At(0))->m_Weight = 1.5f;
    doc->m_Items.At(0)->m_Label = "first";
    const std::string text = SaveText(*doc);

    auto back = Fresh<cSampleDoc>();
    LogCapture capture;
    ASSERT_TRUE(back->LoadFromText(text.c_str()));
    EXPECT_TRUE(capture.Warnings().empty());
    EXPECT_EQ(back->m_Count, 12);
    EXPECT_EQ(back->m_Scale, 2.25f);
    EXPECT_STREQ(back->m_Title.GetText(), "spaced <tag> & more");
    EXPECT_EQ(back->m_Child.m_Value, 0);
    EXPECT_EQ(back->m_Child.GetOwner(), back.get());
    ASSERT_EQ(back->m_Items.Count(), 1);
    auto* heavy = static_cast<cSampleHeavyItem*>(back->m_Items.At(0));
    EXPECT_EQ(heavy->m_Weight, 1.5f);
    EXPECT_STREQ(heavy->m_Label.GetText(), "first");
    EXPECT_EQ(SaveText(*back), text);
}

// Large floats keep their bits through a save and a load, and save the same again.
TEST(ObjectXml, LargeFloatsDoNotDriftBetweenSaves) {
    auto doc = Fresh<cSampleDoc>();
    doc->m_Scale = 16884.113f;
    const std::string text = SaveText(*doc);
    EXPECT_EQ(text, "<cSampleDoc>\n <Scale>16884.113</Scale>\n</cSampleDoc>\n");
    auto back = Fresh<cSampleDoc>();
    ASSERT_TRUE(back->LoadFromText(text.c_str()));
    EXPECT_EQ(back->m_Scale, 16884.113f);
    EXPECT_EQ(SaveText(*back), text);
}

TEST(ObjectXml, MembersSharingANameKeepTheirValues) {
    for (int shader : {0, 1}) {
        for (int build : {0, 2}) {
            auto doc = Fresh<cSampleDoc>();
            doc->m_ShaderPlatform = shader;
            doc->m_BuildPlatform = build;
            auto back = Fresh<cSampleDoc>();
            ASSERT_TRUE(back->LoadFromText(SaveText(*doc).c_str()));
            EXPECT_EQ(back->m_ShaderPlatform, shader);
            EXPECT_EQ(back->m_BuildPlatform, build);
        }
    }
    auto doc = Fresh<cSampleDoc>();
    ASSERT_TRUE(doc->LoadFromText("<x><Platform>4</Platform><Platform>5</Platform><Platform>6</Platform></x>"));
    EXPECT_EQ(doc->m_ShaderPlatform, 4);
    EXPECT_EQ(doc->m_BuildPlatform, 6);  // surplus elements go to the last member of the name
}

TEST(ObjectXml, ReadingIgnoresOrderAndKeepsMissingMembers) {
    auto doc = Fresh<cSampleDoc>();
    doc->m_Count = 5;
    ASSERT_TRUE(doc->LoadFromText("<anything><Title>t</Title><Scale>1,5</Scale></anything>"));
    EXPECT_EQ(doc->m_Count, 5);
    EXPECT_EQ(doc->m_Scale, 1.5f);
    EXPECT_STREQ(doc->m_Title.GetText(), "t");
}

TEST(ObjectXml, UnknownElementIsReportedOnceAndSkipped) {
    auto doc = Fresh<cSampleDoc>();
    LogCapture capture;
    ASSERT_TRUE(doc->LoadFromText("<cSampleDoc><Bogus>1</Bogus><Count>3</Count></cSampleDoc>"));
    EXPECT_EQ(doc->m_Count, 3);
    ASSERT_EQ(capture.Warnings().size(), 1u);
    EXPECT_EQ(capture.Warnings()[0], DocWarning("Unknown identifier Bogus of class cSampleDoc.\n",
                                                "<cSampleDoc>\n <Bogus>1</Bogus>\n <Count>3</Count>\n</cSampleDoc>\n"));
}

TEST(ObjectXml, UnparsableValueIsReportedAndZeroed) {
    auto doc = Fresh<cSampleDoc>();
    doc->m_Count = 9;
    doc->m_Scale = 9.0f;
    LogCapture capture;
    ASSERT_TRUE(doc->LoadFromText("<d><Count>many</Count><Scale>x</Scale></d>"));
    EXPECT_EQ(doc->m_Count, 0);
    EXPECT_EQ(doc->m_Scale, 0.0f);
    ASSERT_EQ(capture.Warnings().size(), 2u);
    EXPECT_EQ(capture.Warnings()[0], DocWarning("unable to read dword from XML: many\n", "<Count>many</Count>\n"));
    EXPECT_EQ(capture.Warnings()[1], DocWarning("unable to read float from XML: x\n", "<Scale>x</Scale>\n"));
}

TEST(ObjectXml, LongSourceIsCutAt500Characters) {
    std::string text = "<cSampleDoc>";
    for (int i = 0; i < 100; ++i)
        text += "<Nope>" + std::to_string(i) + "</Nope>";
    text += "</cSampleDoc>";
    auto doc = Fresh<cSampleDoc>();
    LogCapture capture;
    ASSERT_TRUE(doc->LoadFromText(text.c_str()));
    ASSERT_EQ(capture.Warnings().size(), 100u);
    XmlNode tree;
    ASSERT_GT(tree.Parse(text.c_str()), 0);
    cStr full;
    tree.Write(full, 0);
    ASSERT_GT(full.Length(), 500);
    const std::string quoted = std::string(full.GetText(), 500) + "...";
    EXPECT_EQ(capture.Warnings()[99], DocWarning("Unknown identifier Nope of class cSampleDoc.\n", quoted));
}

TEST(ObjectXml, ReportsGoToTheContextToo) {
    auto doc = Fresh<cSampleDoc>();
    XmlNode tree;
    ASSERT_GT(tree.Parse("<d><A>1</A><Count>z</Count></d>"), 0);
    LogCapture capture;
    cReadContext quiet;
    EXPECT_TRUE(doc->FromXml(&tree, static_cast<cClass*>(doc.get()), &quiet, 0));
    EXPECT_TRUE(quiet.error.IsEmpty());
    EXPECT_TRUE(capture.Warnings().empty());
    cReadContext loud;
    loud.report = 1;
    doc->FromXml(&tree, static_cast<cClass*>(doc.get()), &loud, 0);
    EXPECT_STREQ(loud.error.GetText(), "Unknown identifier A of class cSampleDoc.\nunable to read dword from XML: z\n");
}

TEST(ObjectXml, NamesFromTheFileAreArgumentsNotFormats) {
    auto doc = Fresh<cSampleDoc>();
    LogCapture capture;
    ASSERT_TRUE(doc->LoadFromText("<d><%s%n%d>1</%s%n%d><Count>%n%s</Count></d>"));
    ASSERT_EQ(capture.Warnings().size(), 2u);
    EXPECT_EQ(capture.Warnings()[0], DocWarning("Unknown identifier %s%n%d of class cSampleDoc.\n",
                                                "<d>\n <%s%n%d>1</%s%n%d>\n <Count>%n%s</Count>\n</d>\n"));
}

TEST(ObjectXml, MalformedTextLeavesTheObjectUnchanged) {
    auto doc = Fresh<cSampleDoc>();
    doc->m_Count = 4;
    LogCapture capture;
    EXPECT_FALSE(doc->LoadFromText("<d><Count>1</Count>"));
    EXPECT_FALSE(doc->LoadFromText(""));
    EXPECT_FALSE(doc->LoadFromText(nullptr));
    EXPECT_EQ(doc->m_Count, 4);
    EXPECT_TRUE(capture.Warnings().empty());
}

TEST(ObjectXml, ListIsEmptiedBeforeItsItemsAreRead) {
    auto doc = Fresh<cSampleDoc>();
    for (int i = 0; i < 5; ++i)
        doc->m_Items.AddNewItem("cSampleItem", &doc->m_Items);
    ASSERT_TRUE(
        doc->LoadFromText("<d><Items><cSampleItem><Value>1</Value></cSampleItem>"
                          "<cSampleItem></cSampleItem><cSampleItem><Value>3</Value></cSampleItem>"
                          "</Items></d>"));
    ASSERT_EQ(doc->m_Items.Count(), 3);
    EXPECT_EQ(doc->m_Items.At(0)->m_Value, 1);
    EXPECT_EQ(doc->m_Items.At(1)->m_Value, 7);
    EXPECT_EQ(doc->m_Items.At(2)->m_Value, 3);
}

TEST(ObjectXml, ListCreatesOnlyItsItemClassOrDerivedOnes) {
    auto doc = Fresh<cSampleDoc>();
    const int classes = ClassCount();
    LogCapture capture;
    ASSERT_TRUE(
        doc->LoadFromText("<d><Items><cSampleStranger></cSampleStranger><cNoSuchClass></cNoSuchClass>"
                          "<cSampleHeavyItem></cSampleHeavyItem><cSampleDoc></cSampleDoc></Items></d>"));
    ASSERT_EQ(doc->m_Items.Count(), 1);
    EXPECT_STREQ(doc->m_Items.At(0)->GetClassName(), "cSampleHeavyItem");
    EXPECT_EQ(ClassCount(), classes);
    EXPECT_EQ(FindClassDescriptor("cNoSuchClass"), nullptr);
    const auto warnings = capture.Warnings();
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_EQ(warnings[0].find(kWarningHead + std::string("Unknown identifier cSampleStranger of class "
                                                          "cClassList.cSampleItem.\n")),
              0u);
    EXPECT_NE(warnings[1].find("Unknown identifier cNoSuchClass of class cClassList.cSampleItem.\n"),
              std::string::npos);
    EXPECT_NE(warnings[2].find("Unknown identifier cSampleDoc of class"), std::string::npos);
}

std::string NestedTrees(int levels) {
    std::string open, close;
    for (int i = 0; i < levels; ++i) {
        open += i ? "<Children><cSampleTree>" : "<cSampleTree>";
        close = (i ? "</cSampleTree></Children>" : "</cSampleTree>") + close;
    }
    return open + close;
}

int TreeDepth(cSampleTree* tree) {
    int depth = 0;
    for (; tree; tree = tree->m_Children.At(0))
        ++depth;
    return depth;
}

// The deepest file the reader takes (999 levels of elements) loads, saves, copies
// and frees on any thread's stack; one level more fails cleanly.
TEST(ObjectXml, DeeplyNestedObjectsAtTheCap) {
    cSampleTree().Register();
    cSampleTree sample;
    std::unique_ptr<cSampleTree> tree(static_cast<cSampleTree*>(sample.CreateInstance()));
    ASSERT_TRUE(tree->LoadFromText(NestedTrees(500).c_str()));
    EXPECT_EQ(TreeDepth(tree.get()), 500);
    cStr saved;
    ASSERT_TRUE(tree->SaveToText(saved));
    std::unique_ptr<cSampleTree> back(static_cast<cSampleTree*>(sample.CreateInstance()));
    ASSERT_TRUE(back->LoadFromText(saved.GetText()));
    EXPECT_EQ(TreeDepth(back.get()), 500);
    std::unique_ptr<cSampleTree> copy(static_cast<cSampleTree*>(sample.CreateInstance()));
    ASSERT_TRUE(tree->Copy(static_cast<cClass*>(tree.get()), 0, copy.get(), static_cast<cClass*>(copy.get()), 0));
    EXPECT_EQ(TreeDepth(copy.get()), 500);

    EXPECT_FALSE(back->LoadFromText(NestedTrees(501).c_str()));
    EXPECT_EQ(TreeDepth(back.get()), 500);  // unchanged
}

// The file layer starts on first use and logs as it does: started here, its
// lines stay out of the captures whichever test touches files first.
class ObjectFiles : public ScratchTest {
protected:
    void SetUp() override { cIO::Init(); }
};

TEST_F(ObjectFiles, SaveAndLoadByPath) {
    auto doc = Fresh<cSampleDoc>();
    doc->m_Count = 8;
    const std::string path = scratch / "doc.xml";
    ASSERT_TRUE(doc->SaveToFile(path.c_str()));
    EXPECT_EQ(scratch.Read("doc.xml"), "<cSampleDoc>\n <Count>8</Count>\n</cSampleDoc>\n");

    auto back = Fresh<cSampleDoc>();
    LogCapture capture;
    ASSERT_TRUE(back->Load(path.c_str()));
    EXPECT_EQ(back->m_Count, 8);
    ASSERT_FALSE(capture.Logs().empty());
    EXPECT_EQ(capture.Logs()[0], "Loading Xml file \"" + path + "\"...");

    auto quiet = Fresh<cSampleDoc>();
    ASSERT_TRUE(quiet->LoadFromFile(path.c_str()));
    EXPECT_EQ(quiet->m_Count, 8);
}

TEST_F(ObjectFiles, RelativeNamesGoThroughTheFileSources) {
    // Natively the base folder lies on the scratch drive; under wine it is the
    // test program's folder.
    const std::string name = "classes-test-relative\\doc.xml";
    ASSERT_TRUE(cIO::CreateFolders(name.c_str()));
    auto doc = Fresh<cSampleDoc>();
    doc->m_Count = 21;
    ASSERT_TRUE(doc->SaveToFile(name.c_str()));
    auto back = Fresh<cSampleDoc>();
    EXPECT_TRUE(back->Load(name.c_str()));
    EXPECT_EQ(back->m_Count, 21);
    auto quiet = Fresh<cSampleDoc>();
    EXPECT_TRUE(quiet->LoadFromFile(name.c_str()));
    EXPECT_EQ(quiet->m_Count, 21);
    EXPECT_TRUE(cIO::RemoveFolder("classes-test-relative"));
    LogCapture capture;
    EXPECT_FALSE(back->LoadFromFile(name.c_str()));
    EXPECT_EQ(capture.Warnings(), std::vector<std::string>{"Can't load file \"" + name + "\""});
}

TEST_F(ObjectFiles, LoadFromFileDoesNotReportBadValues) {
    scratch.Write("bad.xml", "<d><Count>x</Count><Nope>1</Nope></d>");
    auto doc = Fresh<cSampleDoc>();
    LogCapture capture;
    ASSERT_TRUE(doc->LoadFromFile((scratch / "bad.xml").c_str()));
    EXPECT_EQ(doc->m_Count, 0);
    EXPECT_TRUE(capture.Warnings().empty());
    ASSERT_EQ(capture.Logs().size(), 1u);
    EXPECT_EQ(capture.Logs()[0], " # Loading xml file \"" + (scratch / "bad.xml") + "\"...");
}

TEST_F(ObjectFiles, NullPathFailsWithItsLogLineOnly) {
    auto doc = Fresh<cSampleDoc>();
    LogCapture capture;
    EXPECT_FALSE(doc->LoadFromFile(nullptr));
    EXPECT_EQ(capture.Logs(), std::vector<std::string>{" # Loading xml file \"\"..."});
    EXPECT_TRUE(capture.Warnings().empty());
}

TEST_F(ObjectFiles, MissingFileFails) {
    auto doc = Fresh<cSampleDoc>();
    const std::string path = scratch / "missing.xml";
    LogCapture capture;
    EXPECT_FALSE(doc->Load(path.c_str()));
    EXPECT_FALSE(doc->LoadFromFile(path.c_str()));
    const auto warnings = capture.Warnings();
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0], "Can't load file \"" + path + "\"");
    EXPECT_EQ(warnings[1], "Can't load file \"" + path + "\"");
}

TEST_F(ObjectFiles, FailedWriteIsReportedAsFailure) {
    auto doc = Fresh<cSampleDoc>();
    LogCapture capture;
    const std::string path = scratch / "no such folder\\doc.xml";
    EXPECT_FALSE(doc->SaveToFile(path.c_str()));
    ASSERT_EQ(capture.Warnings().size(), 1u);
    EXPECT_EQ(capture.Warnings()[0], "Can't save file \"" + path + "\"");
}

// A compound class that answers its one member itself and has no descriptor:
// the member is still read, and the missing registration is reported.
class cSampleUnregistered : public cClass {
public:
    int m_Value = 0;
    _cInt m_ValueType;

    const char* GetClassName() const override { return "cSampleUnregistered"; }
    bool IsCompound() const override { return true; }
    cClassDesc* GetClassDescriptor() override { return nullptr; }
    int GetAmountOfMembers() override { return 1; }
    const char* GetMemberName(int i) override { return i == 0 ? "Value" : nullptr; }
    cClass* GetMemberClass(int i) override { return i == 0 ? &m_ValueType : nullptr; }
    void* GetMemberPtr(int i, void* object) override {
        return i == 0 && object ? &static_cast<cSampleUnregistered*>(static_cast<cClass*>(object))->m_Value : nullptr;
    }
};

TEST(ObjectXml, ReadingAClassWithoutDescriptorIsReported) {
    cSampleUnregistered object;
    LogCapture capture;
    ASSERT_TRUE(object.LoadFromText("<x><Value>5</Value></x>"));
    EXPECT_EQ(object.m_Value, 5);
    EXPECT_EQ(capture.Warnings(),
              std::vector<std::string>{"--------------------------------------------------\r\nClass engine warning!\r\n"
                                       "class not registered: \"cSampleUnregistered\"\r\n"});
}

TEST(ObjectXml, NonCompoundObjectsDoNotLoadOrSave) {
    _cInt field;
    cStream stream;
    EXPECT_FALSE(field.ToXmlBuffer(stream));
    EXPECT_FALSE(field.LoadFromText("<a>1</a>"));
    cStr text("old");
    EXPECT_FALSE(field.SaveToText(text));
    EXPECT_TRUE(text.IsEmpty());
}

}  // namespace
}  // namespace tovan::test

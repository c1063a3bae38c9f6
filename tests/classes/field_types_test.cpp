#include "classes/field_types.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "classes/vector_fields.h"
#include "core/vec.h"
#include "tests/support/log_capture.h"

namespace tovan {
namespace {

template <class F, class T>
std::string Text(T value, uintptr_t extra = 0) {
    F field;
    XmlNode node;
    node.SetText("stale");
    field.ToXml(&node, &value, extra);
    return node.Text().GetText();
}

template <class F, class T>
bool Read(const char* text, T& value, cReadContext* context = nullptr, uintptr_t extra = 0) {
    F field;
    XmlNode node;
    node.SetName("Member");
    node.SetText(text);
    return field.FromXml(&node, &value, context, extra);
}

// A read that reports; the warnings it raised, without their common head.
class ReportedRead {
public:
    ReportedRead() { m_Context.report = 1; }
    cReadContext* Context() { return &m_Context; }
    std::vector<std::string> Messages() const {
        std::vector<std::string> messages;
        for (const std::string& warning : m_Capture.Warnings()) {
            const std::string head = "Class engine warning!\r\n\r\n";
            messages.push_back(warning.compare(0, head.size(), head) == 0 ? warning.substr(head.size()) : warning);
        }
        return messages;
    }

private:
    test::LogCapture m_Capture;
    cReadContext m_Context;
};

std::string Source(const char* message, const char* text) {
    return std::string(message) + "XML source: <Member>" + text + "</Member>\n\r\n";
}

TEST(FieldTypes, IntText) {
    EXPECT_EQ((Text<_cInt, int32_t>(-12)), "-12");
    int32_t value = 5;
    EXPECT_TRUE((Read<_cInt>("12abc", value)));
    EXPECT_EQ(value, 12);
    EXPECT_FALSE((Read<_cInt>("x", value)));
    EXPECT_EQ(value, 0);
}

TEST(FieldTypes, IntFailureIsReported) {
    test::LogCapture capture;
    cReadContext context;
    context.report = 1;
    int32_t value = 5;
    EXPECT_FALSE((Read<_cInt>("+", value, &context)));
    ASSERT_EQ(capture.Warnings().size(), 1u);
    EXPECT_EQ(capture.Warnings()[0],
              "Class engine warning!\r\n\r\nunable to read dword from XML: +\nXML source: <Member>+</Member>\n\r\n");
    EXPECT_STREQ(context.error.GetText(), "unable to read dword from XML: +\n");
}

TEST(FieldTypes, FloatText) {
    EXPECT_EQ((Text<_cFloat, float>(0.5f)), "0.500");
    EXPECT_EQ((Text<_cFloat, float>(1.0f / 3.0f)), "0.333");
    EXPECT_EQ((Text<_cFloat, float>(-2.0f)), "-2.000");
    EXPECT_EQ((Text<_cFloat, float>(1e10f)), "10000000000.000");
    float value = 0.0f;
    EXPECT_TRUE((Read<_cFloat>("1,5", value)));
    EXPECT_EQ(value, 1.5f);
    value = 3.0f;
    test::LogCapture capture;
    cReadContext context;
    context.report = 1;
    EXPECT_FALSE((Read<_cFloat>("1e200", value, &context)));
    EXPECT_EQ(value, 0.0f);
    ASSERT_EQ(capture.Warnings().size(), 1u);
    EXPECT_EQ(capture.Warnings()[0],
              "Class engine warning!\r\n\r\nunable to read float from XML: 1e200\n"
              "XML source: <Member>1e200</Member>\n\r\n");
}

// Every float the writer can produce reads back, the largest ones included.
TEST(FieldTypes, LargestFloatsReadBack) {
    for (float written : {FLT_MAX, -FLT_MAX, 3.5e35f, 1e30f}) {
        const std::string text = Text<_cFloat, float>(written);
        float value = 0;
        EXPECT_TRUE((Read<_cFloat>(text.c_str(), value))) << text;
        EXPECT_EQ(value, written) << text;
    }
    const std::string text = Text<_cFloat3>(cVec3{FLT_MAX, 1, -FLT_MAX});
    cVec3 value;
    EXPECT_TRUE((Read<_cFloat3>(text.c_str(), value)));
    EXPECT_EQ(value, (cVec3{FLT_MAX, 1, -FLT_MAX}));
}

// From 16384 on neighbouring floats lie more than a thousandth apart, so three
// decimals keep every bit; below it the first save rounds and later saves repeat
// it. Values between 10^4 and 10^8 once drifted by a few units on every save.
TEST(FieldTypes, SavedFloatsSaveAgainUnchanged) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> logs(0.0f, 9.0f);
    int drifted = 0, changed = 0;
    std::string first;
    for (int i = 0; i < 20000; ++i) {
        float value = std::pow(10.0f, logs(random));
        if (i == 0)
            value = 16884.113f;
        if (i & 1)
            value = -value;
        const std::string text = Text<_cFloat, float>(value);
        float back = 0;
        ASSERT_TRUE((Read<_cFloat>(text.c_str(), back))) << text;
        const bool same = Text<_cFloat, float>(back) == text;
        const bool exact = std::fabs(value) < 16384.0f || back == value;
        drifted += !same;
        changed += !exact;
        if ((!same || !exact) && first.empty())
            first = text;

        const cVec3 vector{value, -value * 0.5f, value * 3.0f};
        const std::string vectorText = Text<_cFloat3>(vector);
        cVec3 vectorBack;
        ASSERT_TRUE((Read<_cFloat3>(vectorText.c_str(), vectorBack))) << vectorText;
        if (Text<_cFloat3>(vectorBack) != vectorText && first.empty())
            first = vectorText;
        drifted += Text<_cFloat3>(vectorBack) != vectorText;
    }
    EXPECT_EQ(drifted, 0) << "first: " << first;
    EXPECT_EQ(changed, 0) << "first: " << first;
    EXPECT_EQ((Text<_cFloat, float>(16884.113f)), "16884.113");
}

TEST(FieldTypes, BoolText) {
    EXPECT_EQ((Text<_cBool, uint8_t>(1)), "true");
    EXPECT_EQ((Text<_cBool, uint8_t>(0)), "false");
    uint8_t value = 0;
    EXPECT_TRUE((Read<_cBool>("  true", value)));
    EXPECT_EQ(value, 1);
    EXPECT_TRUE((Read<_cBool>("trueish", value)));
    EXPECT_EQ(value, 1);
    for (const char* text : {"True", "1", "", "tru", "\ttrue"}) {
        value = 1;
        EXPECT_TRUE((Read<_cBool>(text, value))) << text;
        EXPECT_EQ(value, 0) << text;
    }
}

TEST(FieldTypes, StrText) {
    EXPECT_EQ((Text<_cStr, cStr>(cStr("a b < c"))), "a b < c");
    cStr value("old");
    EXPECT_TRUE((Read<_cStr>("new", value)));
    EXPECT_STREQ(value.GetText(), "new");
}

TEST(FieldTypes, InitSetsDefaults) {
    int32_t i = 4;
    _cInt().Init(&i);
    EXPECT_EQ(i, 0);
    float f = 4.0f;
    _cFloat().Init(&f);
    EXPECT_EQ(f, 0.0f);
    uint8_t b = 1;
    _cBool().Init(&b);
    EXPECT_EQ(b, 0);
    cStr s("x");
    _cStr().Init(&s);
    EXPECT_TRUE(s.IsEmpty());
}

struct TypeCheck {
    std::unique_ptr<cClass> field;
    const char* typeName;
    int size;
    bool accepted;
};

template <class F>
TypeCheck Check(const char* typeName, int size, bool accepted) {
    return {std::make_unique<F>(), typeName, size, accepted};
}

TEST(FieldTypes, CheckType) {
    const TypeCheck checks[] = {
        Check<_cInt>("int", 4, true),
        Check<_cInt>("unsigned int", 4, true),
        Check<_cInt>("float", 4, true),
        Check<_cInt>("int", 2, false),
        Check<_cIndex>("enum", 4, true),
        Check<_cIndex>("short", 2, false),
        Check<_cSliderI>("long", 4, true),
        Check<_cEditSliderI>("__int64", 8, false),
        Check<_cLabelInt>("int", 4, true),
        Check<_cLabelInt>("unsigned int", 4, false),
        Check<_cLabelEnum>("int", 4, true),
        Check<_cLabelEnum>("enum", 4, false),
        Check<_cImageID>("int", 4, true),
        Check<_cImageID>("float", 4, false),
        Check<_cBind>("int", 4, true),
        Check<_cBind>("int", 8, false),
        Check<_cFloat>("float", 4, true),
        Check<_cFloat>("int", 4, false),
        Check<_cSliderF>("float", 8, true),
        Check<_cEditSliderF>("double", 8, false),
        Check<_cBool>("bool", 1, true),
        Check<_cBool>("char", 1, true),
        Check<_cBool>("int", 4, false),
        Check<_cColor>("cColor", 16, true),
        Check<_cColor>("cVec4", 16, false),
        Check<_cFloat4>("cVec4", 16, true),
        Check<_cFloat4>("cColor", 16, false),
        Check<_cFloat3>("cVec3", 12, true),
        Check<_cFloat3>("cAngles", 12, true),
        Check<_cFloat3>("cVec3", 16, false),
        Check<_cSliderRangedF>("cAngles", 12, true),
        Check<_cSliderRangedF>("cVec.int.3", 12, false),
        Check<_cVec3i>("cVec.int.3", 12, true),
        Check<_cVec3i>("cVec3", 12, false),
        Check<_cSliderRangedI>("cVec.int.3", 12, true),
        Check<_cFloat2>("cVec2", 8, true),
        Check<_cFloat2>("cVec.int.2", 8, false),
        Check<_cVec2i>("cVec.int.2", 8, true),
        Check<_cVec2i>("cVec2", 8, false),
        Check<_cStr>("anything", 123, true),
        Check<_cXmlFile>("int", 4, true),
        Check<_cLabel>("float", 4, true),
        Check<_cSeparator>("cSettings", 400, true),
    };
    for (const TypeCheck& check : checks)
        EXPECT_EQ(check.field->CheckType(check.typeName, check.size), check.accepted)
            << check.field->GetClassName() << " " << check.typeName << " " << check.size;
}

TEST(FieldTypes, CopyTheirValues) {
    struct Guarded {
        cVec3 value;
        float after;
    };
    Guarded from{{1, 2, 3}, 0};
    Guarded to{{0, 0, 0}, 42};
    _cFloat3 vectors;
    EXPECT_TRUE(vectors.Copy(&from.value, 0, &vectors, &to.value, 0));
    EXPECT_EQ(to.value, (cVec3{1, 2, 3}));
    EXPECT_EQ(to.after, 42);  // exactly 12 bytes
    cVec3i ints{1, 2, 3};
    cVec3i intsTo;
    EXPECT_TRUE(_cSliderRangedI().Copy(&ints, 0, nullptr, &intsTo, 0));
    EXPECT_EQ(intsTo, ints);
    int32_t image = 4;
    int32_t imageTo = -1;
    EXPECT_TRUE(_cImageID().Copy(&image, 0, nullptr, &imageTo, 0));
    EXPECT_EQ(imageTo, 4);
    cStr label("text");
    cStr labelTo;
    EXPECT_TRUE(_cLabel().Copy(&label, 0, nullptr, &labelTo, 0));
    EXPECT_STREQ(labelTo.GetText(), "text");
    int32_t index = 2;
    int32_t indexTo = 0;
    EXPECT_TRUE(_cIndex().Copy(&index, 0, nullptr, &indexTo, 0));
    EXPECT_EQ(indexTo, 2);
    EXPECT_TRUE(_cSeparator().Copy(&index, 0, nullptr, &indexTo, 0));
    EXPECT_EQ(indexTo, 2);
}

// Display-only counters copy through XML: they write nothing and read back 0.
TEST(FieldTypes, LabelCountersCopyAsZero) {
    int32_t count = 5;
    int32_t countTo = 9;
    _cLabelInt counter;
    EXPECT_TRUE(counter.Copy(&count, 0, &counter, &countTo, 0));
    EXPECT_EQ(countTo, 0);
    _cLabelEnum label;
    countTo = 9;
    EXPECT_TRUE(label.Copy(&count, 0, &label, &countTo, 0));
    EXPECT_EQ(countTo, 0);
}

TEST(FieldTypes, SeparatorIsAHeading) {
    _cSeparator separator;
    EXPECT_TRUE(separator.QueryOwnerChain());
    EXPECT_FALSE(_cInt().QueryOwnerChain());
    XmlNode node;
    separator.ToXml(&node, &separator, 0);
    EXPECT_TRUE(node.Text().IsEmpty());
    EXPECT_TRUE(separator.FromXml(&node, &separator, nullptr, 0));
}

TEST(FieldTypes, NamesAndCreation) {
    _cInt field;
    EXPECT_STREQ(field.GetClassName(), "_cInt");
    EXPECT_FALSE(field.IsCompound());
    std::unique_ptr<cClass> made(field.CreateInstance());
    EXPECT_STREQ(made->GetClassName(), "_cInt");
    EXPECT_EQ(made->GetClassDescriptor(), field.GetClassDescriptor());
    EXPECT_EQ(made->GetAmountOfMembers(), 0);
    EXPECT_EQ(made->CountVisibleMembers(nullptr, 7), 0);
}

template <class F>
void ExpectIntRules() {
    SCOPED_TRACE(F::kClassName);
    EXPECT_EQ((Text<F, int32_t>(-12)), "-12");
    int32_t value = 3;
    EXPECT_TRUE((Read<F>(" 42", value)));
    EXPECT_EQ(value, 42);
    ReportedRead read;
    EXPECT_FALSE((Read<F>("q", value, read.Context())));
    EXPECT_EQ(value, 0);
    EXPECT_EQ(read.Messages(), std::vector<std::string>{Source("unable to read dword from XML: q\n", "q")});
}

template <class F>
void ExpectFloatRules() {
    SCOPED_TRACE(F::kClassName);
    EXPECT_EQ((Text<F, float>(0.5f)), "0.500");
    EXPECT_EQ((Text<F, float>(1.0f / 3.0f)), "0.333");
    float value = 3.0f;
    EXPECT_TRUE((Read<F>("-1,25", value)));
    EXPECT_EQ(value, -1.25f);
    ReportedRead read;
    EXPECT_FALSE((Read<F>("q", value, read.Context())));
    EXPECT_EQ(value, 0.0f);
    EXPECT_EQ(read.Messages(), std::vector<std::string>{Source("unable to read float from XML: q\n", "q")});
}

TEST(FieldTypes, SlidersReadAsTheirNumbers) {
    ExpectIntRules<_cSliderI>();
    ExpectIntRules<_cEditSliderI>();
    ExpectFloatRules<_cSliderF>();
    ExpectFloatRules<_cEditSliderF>();
}

TEST(FieldTypes, BindIsMinusOneWhenUnreadable) {
    int32_t value = 5;
    _cBind().Init(&value);
    EXPECT_EQ(value, -1);
    EXPECT_EQ((Text<_cBind, int32_t>(-1)), "-1");
    EXPECT_EQ((Text<_cBind, int32_t>(93)), "93");
    EXPECT_TRUE((Read<_cBind>("93", value)));
    EXPECT_EQ(value, 93);
    ReportedRead read;
    EXPECT_FALSE((Read<_cBind>("none", value, read.Context())));
    EXPECT_EQ(value, -1);
    EXPECT_EQ(read.Messages(),
              std::vector<std::string>{Source("Parsing error during \"int\" read from XML: none\n", "none")});
}

TEST(FieldTypes, VectorTexts) {
    EXPECT_EQ((Text<_cFloat3>(cVec3{1, 2, 3})), "1.000 2.000 3.000");
    EXPECT_EQ((Text<_cFloat2>(cVec2{0.5f, 1.0f / 3.0f})), "0.500 0.333");
    EXPECT_EQ((Text<_cFloat4>(cVec4{-1, 0, 0.0005f, 1.0005f})), "-1.000 0.000 0.001 1.000");
    EXPECT_EQ((Text<_cColor>(cColor{1, 0.5f, 0.25f, 0})), "1.000 0.500 0.250 0.000");
    EXPECT_EQ((Text<_cVec2i>(cVec2i{1, -2})), "1 -2");
    EXPECT_EQ((Text<_cVec3i>(cVec3i{0, 7, -2147483647 - 1})), "0 7 -2147483648");
    EXPECT_EQ((Text<_cSliderRangedI>(cVec3i{5, 0, 10})), "5 0 10");
    EXPECT_EQ((Text<_cSliderRangedF>(cVec3{1, 0, 2})), "1.000 0.000 2.000");
}

TEST(FieldTypes, VectorsSplitAtSpacesCommasSemicolonsAndTabs) {
    for (const char* text : {"1 2 3", "1,2,3", "1;2\t3", " 1, 2 ,;3 "}) {
        cVec3 value{9, 9, 9};
        EXPECT_TRUE((Read<_cFloat3>(text, value))) << text;
        EXPECT_EQ(value, (cVec3{1, 2, 3})) << text;
    }
    cColor color;
    EXPECT_TRUE((Read<_cColor>("0.25 0.5 0.75 1", color)));
    EXPECT_EQ(color, (cColor{0.25f, 0.5f, 0.75f, 1}));
    cVec2i pair;
    EXPECT_TRUE((Read<_cVec2i>("-4;8", pair)));
    EXPECT_EQ(pair, (cVec2i{-4, 8}));
    cVec3 ranged;
    EXPECT_TRUE((Read<_cSliderRangedF>("0.5 0 2", ranged)));
    EXPECT_EQ(ranged, (cVec3{0.5f, 0, 2}));
}

// A wrong count or a piece that does not parse leaves zeros (not the defaults).
template <class F, class T>
void ExpectVectorFailure(const char* text, const char* readName) {
    SCOPED_TRACE(std::string(F::kClassName) + " '" + text + "'");
    T value;
    std::memset(static_cast<void*>(&value), 0x11, sizeof value);  // not zero, not a default
    ReportedRead read;
    EXPECT_FALSE((Read<F>(text, value, read.Context())));
    const T zero{};
    EXPECT_EQ(std::memcmp(&value, &zero, sizeof value), 0);
    const std::string message = std::string("Parsing error during \"") + readName + "\" read from XML: " + text + "\n";
    EXPECT_EQ(read.Messages(), std::vector<std::string>{Source(message.c_str(), text)});
}

TEST(FieldTypes, VectorFailuresLeaveZeros) {
    ExpectVectorFailure<_cFloat2, cVec2>("1 2 3", "_cFloat2");
    ExpectVectorFailure<_cFloat3, cVec3>("1 2", "_cFloat3");
    ExpectVectorFailure<_cFloat3, cVec3>("1 2 x", "_cFloat3");
    ExpectVectorFailure<_cFloat4, cVec4>("", "_cFloat4");
    ExpectVectorFailure<_cColor, cColor>("1 2 3", "_cFloat4");
    ExpectVectorFailure<_cVec2i, cVec2i>("1 2 3", "_cVec2i");
    ExpectVectorFailure<_cVec3i, cVec3i>("1 2 three", "_cVec3i");
    ExpectVectorFailure<_cSliderRangedI, cVec3i>("5", "_cVec3i");
    ExpectVectorFailure<_cSliderRangedF, cVec3>("1e99 0 1", "_cFloat3");
}

TEST(FieldTypes, RangedSlidersStartAtZeroInZeroToOne) {
    cVec3i ints{7, 7, 7};
    _cSliderRangedI().Init(&ints);
    EXPECT_EQ(ints, (cVec3i{0, 0, 1}));
    cVec3 floats{7, 7, 7};
    _cSliderRangedF().Init(&floats);
    EXPECT_EQ(floats, (cVec3{0, 0, 1}));
    cVec4 zeros{7, 7, 7, 7};
    _cFloat4().Init(&zeros);
    EXPECT_EQ(zeros, (cVec4{}));
}

TEST(FieldTypes, FileTypesHoldTheirPathsAsText) {
    std::unique_ptr<cClass> types[] = {
        std::make_unique<_cImageFile>(),  std::make_unique<_cModelFile>(), std::make_unique<_cAnimFile>(),
        std::make_unique<_cCameraFile>(), std::make_unique<_cBspFile>(),   std::make_unique<_cXmlFile>(),
        std::make_unique<_cSoundFile>(),
    };
    for (auto& type : types) {
        SCOPED_TRACE(type->GetClassName());
        cStr path("Textures\\a b.dds");
        XmlNode node;
        type->ToXml(&node, &path, 0);
        EXPECT_STREQ(node.Text().GetText(), "Textures\\a b.dds");
        node.SetText("  Models/x.obj ");
        EXPECT_TRUE(type->FromXml(&node, &path, nullptr, 0));
        EXPECT_STREQ(path.GetText(), "  Models/x.obj ");
        type->Init(&path);
        EXPECT_TRUE(path.IsEmpty());
        EXPECT_TRUE(type->CheckType("cStr", 8));
    }
}

TEST(FieldTypes, DisplayTypesWriteNothingAndResetOnLoad) {
    EXPECT_EQ((Text<_cLabel>(cStr("shown"))), "");
    EXPECT_EQ((Text<_cLabelInt, int32_t>(5)), "");
    EXPECT_EQ((Text<_cLabelEnum, int32_t>(2)), "");
    EXPECT_EQ((Text<_cImageID, int32_t>(3)), "");
    cStr label("shown");
    EXPECT_TRUE((Read<_cLabel>("from the file", label)));
    EXPECT_TRUE(label.IsEmpty());
    int32_t count = 5;
    EXPECT_TRUE((Read<_cLabelInt>("12", count)));
    EXPECT_EQ(count, 0);
    count = 5;
    EXPECT_TRUE((Read<_cLabelEnum>("1", count)));
    EXPECT_EQ(count, 0);
    int32_t image = 3;
    EXPECT_TRUE((Read<_cImageID>("12", image)));
    EXPECT_EQ(image, -1);
    image = 3;
    _cImageID().Init(&image);
    EXPECT_EQ(image, -1);
}

class EnumIndex : public ::testing::Test {
protected:
    void SetUp() override {
        languages = reinterpret_cast<cEnum*>(EnumExtra("cFieldTestLanguage"));
        ASSERT_NE(languages, nullptr);
        if (languages->m_Labels.Count() == 0) {
            languages->m_Labels.Add("English");
            languages->m_Labels.Add("Russian");
            languages->m_Labels.Add("German");
        }
    }
    uintptr_t Extra() const { return reinterpret_cast<uintptr_t>(languages); }

    cEnum* languages = nullptr;
};

TEST_F(EnumIndex, ExtraIsTheNamedEnum) {
    EXPECT_EQ(FindEnum("cFieldTestLanguage"), languages);
    EXPECT_EQ(EnumExtra("cFieldTestLanguage"), Extra());
    EXPECT_EQ(EnumExtra(nullptr), 0u);
}

TEST_F(EnumIndex, WritesTheLabelOfTheValue) {
    EXPECT_EQ((Text<_cIndex, int32_t>(1, Extra())), "Russian");
    EXPECT_EQ((Text<_cIndex, int32_t>(0, Extra())), "English");
    EXPECT_EQ((Text<_cIndex, int32_t>(7, Extra())), "");
    EXPECT_EQ((Text<_cIndex, int32_t>(1, 0)), "");  // no enum: empty text
}

TEST_F(EnumIndex, ReadsTheValueOfTheLabel) {
    int32_t value = 0;
    EXPECT_TRUE((Read<_cIndex>("German", value, nullptr, Extra())));
    EXPECT_EQ(value, 2);
    ReportedRead read;
    for (const char* text : {"Klingon", "german", ""}) {
        value = 2;
        EXPECT_TRUE((Read<_cIndex>(text, value, read.Context(), Extra()))) << text;
        EXPECT_EQ(value, 0) << text;
    }
    EXPECT_TRUE(read.Messages().empty());
}

TEST_F(EnumIndex, ReadingWithoutEnumIsReported) {
    int32_t value = 2;
    ReportedRead read;
    EXPECT_FALSE((Read<_cIndex>("Russian", value, read.Context(), 0)));
    EXPECT_EQ(value, 0);
    EXPECT_EQ(read.Messages(), std::vector<std::string>{
                                   Source("cEnum not assigned for type \"_cIndex\" for variable Member\n", "Russian")});
}

}  // namespace
}  // namespace tovan

#include "classes/field_types.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/log_capture.h"

namespace tovan {
namespace {

template <class F, class T>
std::string Text(T value) {
    F field;
    XmlNode node;
    field.ToXml(&node, &value, 0);
    return node.Text().GetText();
}

template <class F, class T>
bool Read(const char* text, T& value, cReadContext* context = nullptr) {
    F field;
    XmlNode node;
    node.SetName("Member");
    node.SetText(text);
    return field.FromXml(&node, &value, context, 0);
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
    EXPECT_EQ(capture.Warnings()[0], "Class engine warning!\r\n\r\nunable to read float from XML: 1e200\n"
                                     "XML source: <Member>1e200</Member>\n\r\n");
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

TEST(FieldTypes, CheckType) {
    EXPECT_TRUE(_cInt().CheckType("int", 4));
    EXPECT_TRUE(_cInt().CheckType("unsigned int", 4));
    EXPECT_FALSE(_cInt().CheckType("int", 2));
    EXPECT_TRUE(_cFloat().CheckType("float", 4));
    EXPECT_FALSE(_cFloat().CheckType("int", 4));
    EXPECT_TRUE(_cBool().CheckType("bool", 1));
    EXPECT_TRUE(_cBool().CheckType("char", 1));
    EXPECT_FALSE(_cBool().CheckType("int", 4));
    EXPECT_TRUE(_cStr().CheckType("anything", 123));
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

}  // namespace
}  // namespace tovan

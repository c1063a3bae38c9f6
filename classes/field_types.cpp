#include "classes/field_types.h"

#include <cstring>

#include "core/float_text.h"

namespace tovan {

namespace {

// Numbers read as zero when their text does not parse, with the type's report.
template <class T>
bool ReadNumber(XmlNode* node, T& value, cReadContext* context, bool (*parse)(const char*, T&),
                const char* failure) {
    T parsed = 0;
    const bool ok = parse(node->Text().GetText(), parsed);
    value = ok ? parsed : 0;
    if (!ok)
        ClassEngineWarning(context, node, failure, node->Text().GetText());
    return ok;
}

}  // namespace

void _cInt::Write(cStr& text, int32_t value) { text.AppendInt(value); }

bool _cInt::Read(XmlNode* node, int32_t& value, cReadContext* context) {
    return ReadNumber<int>(node, value, context, ParseInt, "unable to read dword from XML: %s\n");
}

bool _cInt::CheckType(const char*, int size) { return size == 4; }

void _cFloat::Write(cStr& text, float value) {
    char digits[kFloatTextMax];
    text.Append(digits, FloatToFixed(digits, value, 3));
}

bool _cFloat::Read(XmlNode* node, float& value, cReadContext* context) {
    return ReadNumber<float>(node, value, context, ParseFloat, "unable to read float from XML: %s\n");
}

bool _cFloat::CheckType(const char* typeName, int) { return CompareStrings(typeName, "float") == 0; }

void _cBool::Write(cStr& text, uint8_t value) { text.Append(value ? "true" : "false"); }

bool _cBool::Read(XmlNode* node, uint8_t& value, cReadContext*) {
    const char* text = node->Text().GetText();
    while (*text == ' ')
        ++text;
    value = std::strncmp(text, "true", 4) == 0;
    return true;
}

bool _cBool::CheckType(const char*, int size) { return size == 1; }

bool _cStr::Read(XmlNode* node, cStr& value, cReadContext*) {
    value = node->Text();
    return true;
}

}  // namespace tovan

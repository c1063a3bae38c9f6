#include "classes/field_types.h"

#include <cstring>

#include "core/float_text.h"

namespace tovan {

void _cInt::Write(cStr& text, int32_t value) { text.AppendInt(value); }

bool _cInt::Read(XmlNode* node, int32_t& value, cReadContext* context) {
    int parsed = 0;
    const bool ok = ParseInt(node->Text().GetText(), parsed);
    value = ok ? parsed : 0;
    if (!ok)
        ClassEngineWarning(context, node, "unable to read dword from XML: %s\n", node->Text().GetText());
    return ok;
}

bool _cInt::CheckType(const char*, int size) { return size == 4; }

void _cFloat::Write(cStr& text, float value) {
    char digits[kFloatTextMax];
    text.Append(digits, FloatToFixed(digits, value, 3));
}

bool _cFloat::Read(XmlNode* node, float& value, cReadContext* context) {
    float parsed = 0.0f;
    const bool ok = ParseFloat(node->Text().GetText(), parsed);
    value = ok ? parsed : 0.0f;
    if (!ok)
        ClassEngineWarning(context, node, "unable to read float from XML: %s\n", node->Text().GetText());
    return ok;
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

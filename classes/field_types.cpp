#include "classes/field_types.h"

#include <cstring>

#include "core/float_text.h"

namespace tovan {

namespace {

// Numbers read as the fallback when their text does not parse, with the type's report.
template <class T>
bool ReadParsed(XmlNode* node, T& value, T fallback, cReadContext* context, bool (*parse)(const char*, T&),
                const char* failure) {
    T parsed = 0;
    const bool ok = parse(node->Text().GetText(), parsed);
    value = ok ? parsed : fallback;
    if (!ok)
        ClassEngineWarning(context, node, failure, node->Text().GetText());
    return ok;
}

}  // namespace

void AppendNumber(cStr& text, int32_t value) { text.AppendInt(value); }

void AppendNumber(cStr& text, float value) {
    char digits[kFloatTextMax];
    text.Append(digits, FloatToFixed(digits, value, 3));
}

bool ReadNumber(XmlNode* node, int32_t& value, int32_t fallback, cReadContext* context, const char* failure) {
    return ReadParsed<int>(node, value, fallback, context, ParseInt, failure);
}

bool ReadNumber(XmlNode* node, float& value, float fallback, cReadContext* context, const char* failure) {
    return ReadParsed<float>(node, value, fallback, context, ParseFloat, failure);
}

bool IsPlainInt(const char* typeName, int size) { return size == 4 && CompareStrings(typeName, "int") == 0; }

uintptr_t SliderRangeI(int32_t minimum, int32_t maximum) {
    return reinterpret_cast<uintptr_t>(new cSliderRangeI{minimum, maximum});
}

uintptr_t SliderRangeF(float minimum, float maximum) {
    return reinterpret_cast<uintptr_t>(new cSliderRangeF{minimum, maximum});
}

void _cBool::Write(cStr& text, uint8_t value) { text.Append(value ? "true" : "false"); }

bool _cBool::Read(XmlNode* node, uint8_t& value, cReadContext*) {
    const char* text = node->Text().GetText();
    while (*text == ' ')
        ++text;
    value = std::strncmp(text, "true", 4) == 0;
    return true;
}

// --- _cIndex -----------------------------------------------------------------

uintptr_t EnumExtra(const char* enumName) {
    cEnum* found = FindEnum(enumName);
    if (!found && enumName)
        found = RegisterEnum(enumName);
    return reinterpret_cast<uintptr_t>(found);
}

void _cIndex::ToXml(XmlNode* node, const void* value, uintptr_t extra) {
    if (!node || !value)
        return;
    const cEnum* labels = reinterpret_cast<const cEnum*>(extra);
    const int32_t wanted = *static_cast<const int32_t*>(value);
    const char* text = "";
    if (labels) {
        for (int i = 0; i < labels->m_Labels.Count(); ++i) {
            const cNameIndex::Entry& entry = labels->m_Labels.At(i);
            if (entry.index == wanted) {
                text = entry.name.GetText();
                break;
            }
        }
    }
    node->SetText(text);
}

bool _cIndex::FromXml(XmlNode* node, void* value, cReadContext* context, uintptr_t extra) {
    if (!node || !value)
        return false;
    int32_t& index = *static_cast<int32_t*>(value);
    index = Default();
    const cEnum* labels = reinterpret_cast<const cEnum*>(extra);
    if (!labels) {
        ClassEngineWarning(context, node, "cEnum not assigned for type \"_cIndex\" for variable %s\n",
                           node->Name().GetText());
        return false;
    }
    const int found = labels->m_Labels.Find(node->Text().GetText());
    index = found < 0 ? 0 : found;
    return true;
}

}  // namespace tovan

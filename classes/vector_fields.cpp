#include "classes/vector_fields.h"

namespace tovan {

namespace {

template <class E>
bool ReadList(XmlNode* node, E* values, int count, cReadContext* context, const char* readName,
              bool (*parse)(const char*, cList<E>&)) {
    for (int i = 0; i < count; ++i)
        values[i] = 0;
    const char* text = node->Text().GetText();
    cList<E> parsed;
    if (!parse(text, parsed) || parsed.Count() != count) {
        ClassEngineWarning(context, node, "Parsing error during \"%s\" read from XML: %s\n", readName, text);
        return false;
    }
    for (int i = 0; i < count; ++i)
        values[i] = parsed[i];
    return true;
}

}  // namespace

bool ReadComponents(XmlNode* node, int32_t* values, int count, cReadContext* context, const char* readName) {
    return ReadList<int>(node, values, count, context, readName, ParseIntList);
}

bool ReadComponents(XmlNode* node, float* values, int count, cReadContext* context, const char* readName) {
    return ReadList<float>(node, values, count, context, readName, ParseFloatList);
}

void WriteComponents(cStr& text, const int32_t* values, int count) { text = IntsToString(values, count); }

void WriteComponents(cStr& text, const float* values, int count) { text = FloatsToString(values, count); }

}  // namespace tovan

// Field types of a fixed count of ints or floats: the float and int vectors, the
// colour and the ranged sliders {value, minimum, maximum}. Written as the numbers
// joined by single spaces; read from text split at any of " ,;\t", which must hold
// exactly the type's count of numbers.
#pragma once
#include <cstring>

#include "classes/field_types.h"

namespace tovan {

// The pieces of a vector's text: all must parse, and there must be exactly count.
bool ReadComponents(XmlNode* node, int32_t* values, int count, cReadContext* context, const char* readName);
bool ReadComponents(XmlNode* node, float* values, int count, cReadContext* context, const char* readName);
void WriteComponents(cStr& text, const int32_t* values, int count);
void WriteComponents(cStr& text, const float* values, int count);

// N components of type E. Derived supplies kClassName, kReadName (the name its
// parsing error quotes) and kTypeNames (the declared types it accepts, which must
// be N components long); it may shadow kDefault.
template <class Derived, class E, int N>
class cVectorField : public cFieldType<Derived> {
public:
    static constexpr E kDefault[N] = {};
    static constexpr int kSize = int(sizeof(E)) * N;

    // The owner's value is copied in and out as bytes: it is a cVec3, cColor,
    // cVec<int, 3>, ... of the same layout.
    void Init(void* value) override {
        if (value)
            std::memcpy(value, Derived::kDefault, kSize);
    }
    void ToXml(XmlNode* node, const void* value, uintptr_t) override {
        if (!node || !value)
            return;
        E components[N];
        std::memcpy(components, value, kSize);
        cStr text;
        WriteComponents(text, components, N);
        node->SetText(text.GetText());
    }
    bool FromXml(XmlNode* node, void* value, cReadContext* context, uintptr_t) override {
        if (!node || !value)
            return false;
        E components[N];
        const bool ok = ReadComponents(node, components, N, context, Derived::kReadName);
        std::memcpy(value, components, kSize);
        return ok;
    }
    bool Copy(const void* source, uintptr_t, cClass*, void* destObject, uintptr_t) override {
        if (source != destObject && source && destObject)
            std::memcpy(destObject, source, kSize);
        return true;
    }
    bool CheckType(const char* typeName, int size) override {
        if (size != kSize)
            return false;
        for (const char* accepted : Derived::kTypeNames)
            if (CompareStrings(typeName, accepted) == 0)
                return true;
        return false;
    }
};

class _cFloat2 : public cVectorField<_cFloat2, float, 2> {
public:
    static constexpr const char* kClassName = "_cFloat2";
    static constexpr const char* kReadName = "_cFloat2";
    static constexpr const char* kTypeNames[] = {"cVec2"};
};
class _cFloat3 : public cVectorField<_cFloat3, float, 3> {
public:
    static constexpr const char* kClassName = "_cFloat3";
    static constexpr const char* kReadName = "_cFloat3";
    static constexpr const char* kTypeNames[] = {"cVec3", "cAngles"};
};
class _cFloat4 : public cVectorField<_cFloat4, float, 4> {
public:
    static constexpr const char* kClassName = "_cFloat4";
    static constexpr const char* kReadName = "_cFloat4";
    static constexpr const char* kTypeNames[] = {"cVec4"};
};
// r, g, b, a.
class _cColor : public cVectorField<_cColor, float, 4> {
public:
    static constexpr const char* kClassName = "_cColor";
    static constexpr const char* kReadName = "_cFloat4";
    static constexpr const char* kTypeNames[] = {"cColor"};
};
class _cVec2i : public cVectorField<_cVec2i, int32_t, 2> {
public:
    static constexpr const char* kClassName = "_cVec2i";
    static constexpr const char* kReadName = "_cVec2i";
    static constexpr const char* kTypeNames[] = {"cVec.int.2"};
};
class _cVec3i : public cVectorField<_cVec3i, int32_t, 3> {
public:
    static constexpr const char* kClassName = "_cVec3i";
    static constexpr const char* kReadName = "_cVec3i";
    static constexpr const char* kTypeNames[] = {"cVec.int.3"};
};
// {value, minimum, maximum}, starting at 0 in [0, 1].
class _cSliderRangedI : public cVectorField<_cSliderRangedI, int32_t, 3> {
public:
    static constexpr const char* kClassName = "_cSliderRangedI";
    static constexpr const char* kReadName = "_cVec3i";
    static constexpr const char* kTypeNames[] = {"cVec.int.3"};
    static constexpr int32_t kDefault[3] = {0, 0, 1};
};
class _cSliderRangedF : public cVectorField<_cSliderRangedF, float, 3> {
public:
    static constexpr const char* kClassName = "_cSliderRangedF";
    static constexpr const char* kReadName = "_cFloat3";
    static constexpr const char* kTypeNames[] = {"cVec3", "cAngles"};
    static constexpr float kDefault[3] = {0.0f, 0.0f, 1.0f};
};

}  // namespace tovan

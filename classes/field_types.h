// Field types: prototypes that initialise, write, read, copy and type-check a value
// that lives in another object at the member's address. Each is a small class over
// one of the template families below.
#pragma once
#include <cstdint>

#include "classes/class.h"
#include "classes/xml.h"

namespace tovan {

// Name, creation and cached descriptor of a field type; Derived names itself with
// a static kClassName.
template <class Derived>
class cFieldType : public cClass {
public:
    static const char* StaticClassName() { return Derived::kClassName; }
    const char* GetClassName() const override { return Derived::kClassName; }
    cClass* CreateInstance() override { return new Derived(); }
    cClassDesc* GetClassDescriptor() override {
        static cClassDesc* cache = nullptr;
        return CachedClassDescriptor(cache, Derived::kClassName);
    }
};

// A value of type T copied by assignment. Derived supplies
//   static T Default();
//   static void Write(cStr& text, const T& value);
//   static bool Read(XmlNode* node, T& value, cReadContext* context);
template <class Derived, class T>
class cValueField : public cFieldType<Derived> {
public:
    using Value = T;

    void Init(void* value) override {
        if (value)
            *static_cast<T*>(value) = Derived::Default();
    }
    void ToXml(XmlNode* node, const void* value, uintptr_t) override {
        cStr text;
        Derived::Write(text, *static_cast<const T*>(value));
        node->SetText(text.GetText());
    }
    bool FromXml(XmlNode* node, void* value, cReadContext* context, uintptr_t) override {
        return Derived::Read(node, *static_cast<T*>(value), context);
    }
    bool Copy(const void* source, uintptr_t, cClass*, void* destObject, uintptr_t) override {
        if (source != destObject && source && destObject)
            *static_cast<T*>(destObject) = *static_cast<const T*>(source);
        return true;
    }
};

// Any 4-byte value as a decimal integer.
class _cInt : public cValueField<_cInt, int32_t> {
public:
    static constexpr const char* kClassName = "_cInt";
    static int32_t Default() { return 0; }
    static void Write(cStr& text, int32_t value);
    static bool Read(XmlNode* node, int32_t& value, cReadContext* context);
    bool CheckType(const char* typeName, int size) override;
};

// A float with three decimals.
class _cFloat : public cValueField<_cFloat, float> {
public:
    static constexpr const char* kClassName = "_cFloat";
    static float Default() { return 0.0f; }
    static void Write(cStr& text, float value);
    static bool Read(XmlNode* node, float& value, cReadContext* context);
    bool CheckType(const char* typeName, int size) override;
};

// Any 1-byte value as "true" or "false"; reading never fails.
class _cBool : public cValueField<_cBool, uint8_t> {
public:
    static constexpr const char* kClassName = "_cBool";
    static uint8_t Default() { return 0; }
    static void Write(cStr& text, uint8_t value);
    static bool Read(XmlNode* node, uint8_t& value, cReadContext* context);
    bool CheckType(const char* typeName, int size) override;
};

// A cStr, written as it is.
class _cStr : public cValueField<_cStr, cStr> {
public:
    static constexpr const char* kClassName = "_cStr";
    static cStr Default() { return cStr(); }
    static void Write(cStr& text, const cStr& value) { text = value; }
    static bool Read(XmlNode* node, cStr& value, cReadContext* context);
};

}  // namespace tovan

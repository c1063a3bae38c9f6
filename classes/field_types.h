// Field types: prototypes that initialise, write, read, copy and type-check a value
// that lives in another object at the member's address. Types that share behaviour
// are small classes over one of the template families below; the vectors are in
// classes/vector_fields.h and the buttons in classes/button_field.h.
#pragma once
#include <cstdint>

#include "classes/class.h"
#include "classes/registry.h"
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

// A value of type T that Init sets to Derived::Default() and Copy copies by assignment.
template <class Derived, class T>
class cAssignedValue : public cFieldType<Derived> {
public:
    using Value = T;

    void Init(void* value) override {
        if (value)
            *static_cast<T*>(value) = Derived::Default();
    }
    bool Copy(const void* source, uintptr_t, cClass*, void* destObject, uintptr_t) override {
        if (source != destObject && source && destObject)
            *static_cast<T*>(destObject) = *static_cast<const T*>(source);
        return true;
    }
};

// An assigned value whose text Derived makes and reads:
//   static T Default();
//   static void Write(cStr& text, const T& value);
//   static bool Read(XmlNode* node, T& value, cReadContext* context);
template <class Derived, class T>
class cValueField : public cAssignedValue<Derived, T> {
public:
    void ToXml(XmlNode* node, const void* value, uintptr_t) override {
        if (!node || !value)
            return;
        cStr text;
        Derived::Write(text, *static_cast<const T*>(value));
        node->SetText(text.GetText());
    }
    bool FromXml(XmlNode* node, void* value, cReadContext* context, uintptr_t) override {
        if (!node || !value)
            return false;
        return Derived::Read(node, *static_cast<T*>(value), context);
    }
};

// --- numbers -----------------------------------------------------------------

// Number text shared by the number families: ints as "%d", floats with three
// decimals through the framework's own formatter (the same bytes in every build).
void AppendNumber(cStr& text, int32_t value);
void AppendNumber(cStr& text, float value);
// Parses the element text into value; on failure stores fallback and raises
// failure (a format taking the text) through the read context.
bool ReadNumber(XmlNode* node, int32_t& value, int32_t fallback, cReadContext* context, const char* failure);
bool ReadNumber(XmlNode* node, float& value, float fallback, cReadContext* context, const char* failure);

// One int or float; a text that does not parse leaves Default() (0 unless Derived
// says otherwise) and raises Derived::kReadFailure.
template <class Derived, class T>
class cNumberField : public cValueField<Derived, T> {
public:
    static T Default() { return T(0); }
    static void Write(cStr& text, T value) { AppendNumber(text, value); }
    static bool Read(XmlNode* node, T& value, cReadContext* context) {
        return ReadNumber(node, value, Derived::Default(), context, Derived::kReadFailure);
    }
};

// Any 4-byte value as a decimal integer.
template <class Derived>
class cIntField : public cNumberField<Derived, int32_t> {
public:
    static constexpr const char* kReadFailure = "unable to read dword from XML: %s\n";
    bool CheckType(const char*, int size) override { return size == 4; }
};

// A float with three decimals.
template <class Derived>
class cFloatField : public cNumberField<Derived, float> {
public:
    static constexpr const char* kReadFailure = "unable to read float from XML: %s\n";
    bool CheckType(const char* typeName, int) override { return CompareStrings(typeName, "float") == 0; }
};

// Types that hold a plain "int" and nothing else of that size.
bool IsPlainInt(const char* typeName, int size);

class _cInt : public cIntField<_cInt> {
public:
    static constexpr const char* kClassName = "_cInt";
};
class _cFloat : public cFloatField<_cFloat> {
public:
    static constexpr const char* kClassName = "_cFloat";
};

// The sliders edit a plain int or float; the member's extra word points to its
// range record (SliderRangeI, SliderRangeF), which only the editing widgets read.
struct cSliderRangeI {
    int32_t minimum;
    int32_t maximum;
};
struct cSliderRangeF {
    float minimum;
    float maximum;
};
// The extra word of a slider declaration: a range record that lives for the run
// (declarations run once per class).
uintptr_t SliderRangeI(int32_t minimum, int32_t maximum);
uintptr_t SliderRangeF(float minimum, float maximum);

class _cSliderI : public cIntField<_cSliderI> {
public:
    static constexpr const char* kClassName = "_cSliderI";
};
class _cEditSliderI : public cIntField<_cEditSliderI> {
public:
    static constexpr const char* kClassName = "_cEditSliderI";
};
class _cSliderF : public cFloatField<_cSliderF> {
public:
    static constexpr const char* kClassName = "_cSliderF";
};
class _cEditSliderF : public cFloatField<_cEditSliderF> {
public:
    static constexpr const char* kClassName = "_cEditSliderF";
};

// A key binding (a KeyCode); -1 is "unbound", also after a text that does not parse.
class _cBind : public cNumberField<_cBind, int32_t> {
public:
    static constexpr const char* kClassName = "_cBind";
    static constexpr const char* kReadFailure = "Parsing error during \"int\" read from XML: %s\n";
    static int32_t Default() { return -1; }
    bool CheckType(const char* typeName, int size) override { return IsPlainInt(typeName, size); }
};

// --- booleans and text -------------------------------------------------------

// Any 1-byte value as "true" or "false"; only a text starting with "true" (after
// spaces) reads as true, and reading never fails.
class _cBool : public cValueField<_cBool, uint8_t> {
public:
    static constexpr const char* kClassName = "_cBool";
    static uint8_t Default() { return 0; }
    static void Write(cStr& text, uint8_t value);
    static bool Read(XmlNode* node, uint8_t& value, cReadContext* context);
    bool CheckType(const char*, int size) override { return size == 1; }
};

// A cStr written and read as it is.
template <class Derived>
class cTextField : public cValueField<Derived, cStr> {
public:
    static cStr Default() { return cStr(); }
    static void Write(cStr& text, const cStr& value) { text = value; }
    static bool Read(XmlNode* node, cStr& value, cReadContext*) {
        value = node->Text();
        return true;
    }
};

class _cStr : public cTextField<_cStr> {
public:
    static constexpr const char* kClassName = "_cStr";
};
// Paths of resource files; the class name tells the editor which picker to open.
class _cImageFile : public cTextField<_cImageFile> {
public:
    static constexpr const char* kClassName = "_cImageFile";
};
class _cModelFile : public cTextField<_cModelFile> {
public:
    static constexpr const char* kClassName = "_cModelFile";
};
class _cAnimFile : public cTextField<_cAnimFile> {
public:
    static constexpr const char* kClassName = "_cAnimFile";
};
class _cCameraFile : public cTextField<_cCameraFile> {
public:
    static constexpr const char* kClassName = "_cCameraFile";
};
class _cBspFile : public cTextField<_cBspFile> {
public:
    static constexpr const char* kClassName = "_cBspFile";
};
class _cXmlFile : public cTextField<_cXmlFile> {
public:
    static constexpr const char* kClassName = "_cXmlFile";
};
class _cSoundFile : public cTextField<_cSoundFile> {
public:
    static constexpr const char* kClassName = "_cSoundFile";
};

// --- display only ------------------------------------------------------------

// Values shown read-only: written as empty text and reset to Default() on load,
// whatever the file says.
template <class Derived, class T>
class cDisplayField : public cValueField<Derived, T> {
public:
    static void Write(cStr&, const T&) {}
    static bool Read(XmlNode*, T& value, cReadContext*) {
        value = Derived::Default();
        return true;
    }
};

class _cLabel : public cDisplayField<_cLabel, cStr> {
public:
    static constexpr const char* kClassName = "_cLabel";
    static cStr Default() { return cStr(); }
};

// An image handle made at run time; -1 is none.
class _cImageID : public cDisplayField<_cImageID, int32_t> {
public:
    static constexpr const char* kClassName = "_cImageID";
    static int32_t Default() { return -1; }
    bool CheckType(const char* typeName, int size) override { return IsPlainInt(typeName, size); }
};

// Counters and enum values shown read-only. Their copy goes through XML like any
// class without one of its own, so the destination reads back 0.
template <class Derived>
class cLabelIntField : public cDisplayField<Derived, int32_t> {
public:
    static int32_t Default() { return 0; }
    bool Copy(const void* source, uintptr_t extra, cClass* destClass, void* destObject, uintptr_t readExtra) override {
        return cClass::Copy(source, extra, destClass, destObject, readExtra);
    }
    bool CheckType(const char* typeName, int size) override { return IsPlainInt(typeName, size); }
};

class _cLabelInt : public cLabelIntField<_cLabelInt> {
public:
    static constexpr const char* kClassName = "_cLabelInt";
};
// Shown as the label of the value in the enum that the extra word points to.
class _cLabelEnum : public cLabelIntField<_cLabelEnum> {
public:
    static constexpr const char* kClassName = "_cLabelEnum";
};

// A heading row: no value, never saved (declared without address).
class _cSeparator : public cFieldType<_cSeparator> {
public:
    static constexpr const char* kClassName = "_cSeparator";
    bool QueryOwnerChain() override { return true; }
    bool Copy(const void*, uintptr_t, cClass*, void*, uintptr_t) override { return true; }
};

// --- enum values -------------------------------------------------------------

// The extra word of an _cIndex or _cLabelEnum declaration: the enum of that name,
// registered (without labels) when absent.
uintptr_t EnumExtra(const char* enumName);

// A 4-byte enum value written as its label. Not a built-in: the first declaration
// registers it.
class _cIndex : public cAssignedValue<_cIndex, int32_t> {
public:
    static constexpr const char* kClassName = "_cIndex";
    static int32_t Default() { return 0; }
    void ToXml(XmlNode* node, const void* value, uintptr_t extra) override;
    bool FromXml(XmlNode* node, void* value, cReadContext* context, uintptr_t extra) override;
    bool CheckType(const char*, int size) override { return size == 4; }
};

}  // namespace tovan

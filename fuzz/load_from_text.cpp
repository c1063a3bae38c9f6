// Loading a reflected object with nested lists and a member of every field type
// from arbitrary text, then saving, reloading (what was saved must load without a
// warning) and copying it. Warnings are swallowed and the log is kept from
// growing between runs.
#include <cstdlib>

#include "classes/class_list.h"
#include "classes/field_types.h"
#include "classes/member.h"
#include "core/log.h"
#include "core/os_headless.h"
#include "tests/classes/all_fields.h"

namespace tovan {
namespace {

class cFuzzNode : public cClass {
    TOVAN_CLASS(cFuzzNode)
public:
    int m_Id = 0;
    float m_Weight = 0.0f;
    bool m_On = false;
    cStr m_Name;
    cClassList<cFuzzNode> m_Children;

    void SetDefaults() override { m_Weight = 1.0f; }
    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Id, "Id");
        TOVAN_MEMBER(_cFloat, m_Weight, "Weight");
        TOVAN_MEMBER(_cBool, m_On, "On");
        TOVAN_MEMBER(_cStr, m_Name, "Name");
        TOVAN_MEMBER(cClassList<cFuzzNode>, m_Children, "Children");
    }
};

class cFuzzLeaf : public cFuzzNode {
    TOVAN_CLASS(cFuzzLeaf)
public:
    int m_Extra = 0;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        InheritMembers(this, SharedPrototype<cFuzzNode>());
        TOVAN_MEMBER(_cInt, m_Extra, "Extra");
    }
};

// Every field type, and an enum value whose member has no enum.
class cFuzzFields : public test::cAllFields {
    TOVAN_CLASS(cFuzzFields)
public:
    int32_t m_Unlabelled = 0;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        InheritMembers(this, SharedPrototype<cAllFields>());
        TOVAN_MEMBER(_cIndex, m_Unlabelled, "Unlabelled");
    }
};

class cFuzzDoc : public cClass {
    TOVAN_CLASS(cFuzzDoc)
public:
    int m_Count = 0;
    cStr m_Title;
    int m_PlatformA = 0;
    int m_PlatformB = 0;
    cFuzzNode m_Root;
    cClassList<cFuzzNode> m_Nodes;
    cFuzzFields m_Fields;
    cClassList<cFuzzFields> m_FieldItems;

    void RegisterMembers() override {
        if (!BeginMembers())
            return;
        TOVAN_MEMBER(_cInt, m_Count, "Count");
        TOVAN_MEMBER(_cStr, m_Title, "Title");
        TOVAN_MEMBER(_cInt, m_PlatformA, "Platform");
        TOVAN_MEMBER(_cInt, m_PlatformB, "Platform");
        TOVAN_MEMBER(cFuzzNode, m_Root, "Root");
        TOVAN_MEMBER(cClassList<cFuzzNode>, m_Nodes, "Nodes");
        TOVAN_MEMBER(cFuzzFields, m_Fields, "Fields");
        TOVAN_MEMBER(cClassList<cFuzzFields>, m_FieldItems, "FieldItems");
    }
};

// Keeps the log from growing and windows from opening; counts the warnings.
class Quiet : public LogObserver {
public:
    void OnMessage(bool warning, const char*) override { m_Warnings += warning; }
    int OnLogWindow(LogWindowMode) override { return kLogIgnore; }

    int m_Warnings = 0;
};

}  // namespace
}  // namespace tovan

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tovan;
    static Quiet quiet;
    static bool ready = [] {
        SetLogObserver(&quiet);
        // Without a log file the log keeps every message in memory; with one it keeps
        // the latest and hands the rest to the file, here the null device.
        os::headless::SetDriveRoot("/dev");
        SetLogFileName("C:\\null");
        cFuzzNode().Register();
        cFuzzLeaf().Register();
        cFuzzFields().Register();
        cFuzzDoc().Register();
        return true;
    }();
    (void)ready;

    cStr text(reinterpret_cast<const char*>(data), int(size));
    cFuzzDoc sample;
    cClass* doc = sample.CreateInstance();
    doc->LoadFromText(text.GetText());
    cStr saved;
    if (!doc->SaveToText(saved))
        std::abort();
    // Whatever was written reads back without a complaint.
    cClass* again = doc->CreateInstance();
    quiet.m_Warnings = 0;
    if (!again->LoadFromText(saved.GetText()) || quiet.m_Warnings != 0)
        std::abort();
    doc->Copy(doc, 0, again, again, 0);
    delete again;
    delete doc;
    return 0;
}

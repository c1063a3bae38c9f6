// Loading a reflected object with nested lists and a member of every field type
// from arbitrary text, then saving, reloading (what was saved must load without a
// warning) and copying it. Warnings are swallowed and the log is kept from
// growing between runs.
#include <cstdlib>

#include "core/log.h"
#include "classes/registry.h"
#include "core/os_headless.h"
#include "tests/support/classes/sample_classes.h"

namespace tovan {
namespace {

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
        test::RegisterSampleClasses();
        return true;
    }();
    (void)ready;

    cStr text(reinterpret_cast<const char*>(data), int(size));
    cClass* doc = FindClassPrototype(test::cSampleEverything::StaticClassName())->CreateInstance();
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

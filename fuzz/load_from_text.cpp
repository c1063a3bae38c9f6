// Loading a reflected object with nested lists and a member of every field type
// from arbitrary text, then saving, reloading (what was saved must load without a
// warning) and copying it.
#include <cstdlib>

#include "classes/registry.h"
#include "fuzz/quiet_log.h"
#include "tests/support/classes/sample_classes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tovan;
    fuzz::QuietLog& quiet = fuzz::InstallQuietLog();
    test::RegisterSampleClasses();

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

#include "tests/support/classes/sample_classes.h"

namespace tovan::test {

void RegisterSampleClasses() {
    static const bool registered = [] {
        cSampleItem().Register();
        cSampleHeavyItem().Register();
        cSampleStranger().Register();
        cSampleDoc().Register();
        cSampleTree().Register();
        cSampleTreeLeaf().Register();
        cAllFields().Register();
        cAllFieldsUnlabelled().Register();
        cSampleEverything().Register();
        return true;
    }();
    (void)registered;
}

}  // namespace tovan::test

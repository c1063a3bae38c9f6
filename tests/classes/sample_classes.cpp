#include "tests/classes/sample_classes.h"

#include <gtest/gtest.h>

namespace tovan::test {

void RegisterSampleClasses() {
    static const bool registered = [] {
        cSampleItem().Register();
        cSampleHeavyItem().Register();
        cSampleStranger().Register();
        cSampleDoc().Register();
        return true;
    }();
    (void)registered;
}

std::string SaveText(cClass& object) {
    cStr text;
    EXPECT_TRUE(object.SaveToText(text));
    return text.GetText();
}

}  // namespace tovan::test

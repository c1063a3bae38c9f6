#include "tests/classes/sample_classes.h"

#include <gtest/gtest.h>

namespace tovan::test {

std::string SaveText(cClass& object) {
    cStr text;
    EXPECT_TRUE(object.SaveToText(text));
    return text.GetText();
}

}  // namespace tovan::test

// The seeds of the class-engine load fuzz target pass the target's own checks, so
// a change of the sample classes that breaks the seeds shows here first.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "classes/registry.h"
#include "tests/support/log_capture.h"
#include "tests/support/classes/sample_classes.h"

namespace tovan::test {
namespace {

std::string ReadSeed(const char* name) {
    std::ifstream file(std::string(TOVAN_TEST_DATA) + "/load_from_text/" + name, std::ios::binary);
    EXPECT_TRUE(file) << name;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::unique_ptr<cClass> NewDocument() {
    RegisterSampleClasses();
    return std::unique_ptr<cClass>(FindClassPrototype(cSampleEverything::StaticClassName())->CreateInstance());
}

struct Seed {
    const char* file;
    int loadWarnings;  // elements naming a class the list does not take, values that do not parse
    int saveWarnings;  // the enum value without enum, read back once per object that has it
};

const Seed kSeeds[] = {
    {"doc.xml", 1, 1},
    {"fields.xml", 3, 3},
};

TEST(LoadFuzzSeeds, LoadSaveReloadAndCopyAsTheTargetChecks) {
    for (const Seed& seed : kSeeds) {
        SCOPED_TRACE(seed.file);
        const std::string text = ReadSeed(seed.file);
        ASSERT_FALSE(text.empty());
        auto doc = NewDocument();
        LogCapture capture;
        ASSERT_TRUE(doc->LoadFromText(text.c_str()));
        EXPECT_EQ(int(capture.Warnings().size()), seed.loadWarnings);

        capture.Clear();
        cStr saved;
        ASSERT_TRUE(doc->SaveToText(saved));
        EXPECT_EQ(int(capture.Warnings().size()), seed.saveWarnings);
        EXPECT_NE(saved.Length(), 0);

        capture.Clear();
        auto again = NewDocument();
        ASSERT_TRUE(again->LoadFromText(saved.GetText()));
        EXPECT_TRUE(capture.Warnings().empty()) << "what was saved must read back without a complaint";
        cStr savedAgain;
        ASSERT_TRUE(again->SaveToText(savedAgain));
        EXPECT_STREQ(savedAgain.GetText(), saved.GetText());

        auto copy = NewDocument();
        ASSERT_TRUE(doc->Copy(doc.get(), 0, copy.get(), copy.get(), 0));
        cStr copied;
        ASSERT_TRUE(copy->SaveToText(copied));
        EXPECT_STREQ(copied.GetText(), saved.GetText());
    }
}

}  // namespace
}  // namespace tovan::test

// halden's entry installs the tool classes' hook; from then on the registry knows
// them by name, whether the built-ins come after the hook or were already there.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "classes/class.h"
#include "classes/registry.h"
#include "tools/tool_classes.h"

namespace tovan {
namespace {

const char* const kToolClasses[] = {"cSpline", "cSpline_Node", "cImageSwatchFile", "cColorEdit"};

// The classes not made by name from the registry, one line each.
std::string Unknown() {
    std::string unknown;
    for (const char* name : kToolClasses) {
        cClass* prototype = FindClassPrototype(name);
        std::unique_ptr<cClass> made(prototype ? prototype->CreateInstance() : nullptr);
        if (!made || std::string(made->GetClassName()) != name)
            unknown += std::string(name) + "\n";
    }
    return unknown;
}

void HookFirst() {
    InstallToolClassHook();
    RegisterBuiltinClasses();  // as the first object's Init does
}

void BuiltinsFirst() {
    RegisterBuiltinClasses();
    if (Unknown() != "cSpline\ncSpline_Node\ncImageSwatchFile\ncColorEdit\n") {
        std::fputs("known before the hook\n", stderr);  // then the check after it would prove nothing
        std::exit(2);
    }
    InstallToolClassHook();
}

// The registry lives as long as the process and other tests fill it, so each
// start runs in a new process of its own.
TEST(ToolClasses, TheInstalledHookMakesTheRegistryKnowThemByName) {
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct {
        const char* name;
        void (*start)();
    } starts[] = {{"hook first", HookFirst}, {"built-ins first", BuiltinsFirst}};
    for (const auto& start : starts) {
        SCOPED_TRACE(start.name);
        EXPECT_EXIT(
            {
                start.start();
                const std::string unknown = Unknown();
                std::fputs(unknown.c_str(), stderr);
                std::exit(unknown.empty() ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "");
    }
    GTEST_FLAG_SET(death_test_style, style);
}

}  // namespace
}  // namespace tovan

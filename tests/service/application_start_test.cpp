// An application's own start replaces the framework's default at link time, and
// the default's log printing.
#include "core/entry.h"
#include "core/log.h"
#include "service/console_entry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tovan {

constexpr int kApplicationsOwnStart = 77;

// This executable is such an application: linking it with the service library
// would fail if the default start could not step aside.
void ApplicationStart() { std::exit(kApplicationsOwnStart); }

namespace {

TEST(ApplicationStartDeathTest, TheApplicationsOwnStartWins) {
    EXPECT_EXIT(ApplicationStart(), ::testing::ExitedWithCode(kApplicationsOwnStart), "");
}

std::string Printed() {
    std::FILE* file = std::tmpfile();
    if (!file)
        return "(no temporary file)";
    PrintLogText(file);
    std::rewind(file);
    std::string text;
    char buffer[256];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    std::fclose(file);
    return text;
}

TEST(ApplicationStart, PrintsTheLogWithPlainLineEnds) {
    const std::string before = Printed();
    Log("first %d", 1);
    Log("second\r\nline");
    const std::string after = Printed();
    ASSERT_GE(after.size(), before.size());
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(after.substr(before.size()), "first 1\nsecond\nline\n");
}

}  // namespace
}  // namespace tovan

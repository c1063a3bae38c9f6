// Joining the console program's arguments into the command-line text.
#include "core/entry.h"
#include "service/console_entry.h"

#include <gtest/gtest.h>

namespace tovan {
namespace {

cStr Joined(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"halden-service.exe"};
    argv.insert(argv.end(), args.begin(), args.end());
    JoinArguments(int(argv.size()), argv.data());
    return CommandLineText;
}

TEST(ConsoleEntry, JoinsWithSingleSpaces) {
    EXPECT_EQ(Joined({}), "");
    EXPECT_EQ(Joined({"a"}), "a");
    EXPECT_EQ(Joined({"a", "b c"}), "a b c");      // no quoting added
    EXPECT_EQ(Joined({"\"q\"", "x"}), "\"q\" x");  // nor removed
}

TEST(ConsoleEntry, EmptyArgumentsLeaveOnlyTheirSeparator) {
    EXPECT_EQ(Joined({"", "x"}), "x");
    EXPECT_EQ(Joined({"x", ""}), "x ");
    EXPECT_EQ(Joined({"x", "", "y"}), "x  y");
    EXPECT_EQ(Joined({"", ""}), "");
}

TEST(ConsoleEntry, NullArgumentsAndLongLines) {
    const char* argv[] = {"p", "a", nullptr, "b"};
    JoinArguments(4, argv);
    EXPECT_EQ(CommandLineText, "a  b");
    JoinArguments(0, nullptr);
    EXPECT_EQ(CommandLineText, "");
    JoinArguments(3, nullptr);
    EXPECT_EQ(CommandLineText, "");

    std::string big(5000, 'z');
    std::vector<const char*> many{"p"};
    for (int i = 0; i < 20; ++i)
        many.push_back(big.c_str());
    JoinArguments(int(many.size()), many.data());
    EXPECT_EQ(CommandLineText.Length(), 20 * 5000 + 19);
    EXPECT_EQ(CommandLineText[5000], ' ');
}

}  // namespace
}  // namespace tovan

#include <gtest/gtest.h>

#include "ToolTexts.h"
#include "VivRun.h"

using Strings = std::vector<std::string>;

TEST(CommandLine, UsageErrorsExitWithTwoAndTheUsage)
{
    const std::string general(toolTexts::usage);
    const std::string extract(toolTexts::extractUsage);
    const std::string rename(toolTexts::renameUsage);
    const struct {
        Strings arguments;
        std::string err;
    } cases[] = {
        {{}, "viv: No command given.\n" + general},
        {{"unpack", "a.viv"}, "viv: Unknown command: unpack\n" + general},
        {{"LIST", "a.viv"}, "viv: Unknown command: LIST\n" + general},
        {{"list"}, "viv: Wrong number of arguments.\n" + std::string(toolTexts::listUsage)},
        {{"list", "a.viv", "b.viv"}, "viv: Wrong number of arguments.\n" + std::string(toolTexts::listUsage)},
        {{"check", "-v", "a.viv"}, "viv: Unknown option: -v\n" + std::string(toolTexts::checkUsage)},
        {{"extract"}, "viv: Wrong number of arguments.\n" + extract},
        {{"extract", "a.viv", "-C"}, "viv: Option needs a value: -C\n" + extract},
        {{"extract", "a.viv", "--directory=x"}, "viv: Unknown option: --directory=x\n" + extract},
        {{"create", "a.viv"}, "viv: Wrong number of arguments.\n" + std::string(toolTexts::createUsage)},
        {{"create", "a.viv", "-C", "dir"}, "viv: Unknown option: -C\n" + std::string(toolTexts::createUsage)},
        {{"add", "a.viv"}, "viv: Wrong number of arguments.\n" + std::string(toolTexts::addUsage)},
        {{"remove", "a.viv"}, "viv: Wrong number of arguments.\n" + std::string(toolTexts::removeUsage)},
        {{"rename", "a.viv", "old"}, "viv: Wrong number of arguments.\n" + rename},
        {{"rename", "a.viv", "old", "new", "more"}, "viv: Wrong number of arguments.\n" + rename},
    };
    for (const auto& c : cases) {
        VivResult result = Viv(c.arguments);
        EXPECT_EQ(result.status, 2) << c.err;
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.out, "") << c.err;
    }
}

TEST(CommandLine, HelpAndVersionGoToStandardOutput)
{
    const struct {
        Strings arguments;
        std::string out;
    } cases[] = {
        {{"--help"}, std::string(toolTexts::usage)},
        {{"--version"}, "viv (Tamsel) " TAMSEL_VERSION "\n"},
        {{"list", "--help"}, std::string(toolTexts::listUsage)},
        {{"rename", "a.viv", "--help"}, std::string(toolTexts::renameUsage)},
        {{"extract", "-C", "x", "--help", "a.viv"}, std::string(toolTexts::extractUsage)},
    };
    for (const auto& c : cases) {
        VivResult result = Viv(c.arguments);
        EXPECT_EQ(result.status, 0) << c.out;
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, "") << c.out;
    }
    // After "--" it is a name like any other.
    TempFolder folder;
    WriteBytes(folder.File("a.viv"), Archive({{"--help", "h"}}));
    VivResult result = Viv({"extract", folder.File("a.viv"), "-C", folder.File(""), "--", "--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(ReadText(folder.File("--help")), "h");
}


// The program itself: its exit status, output bytes unchanged (no line-end translation) and
// the current folder as extract's default.
TEST(Program, RunsAsACommand)
{
    TempFolder folder;
    WriteBytes(folder.File("a.viv"), Archive({{"dir\\one.txt", "1\n"}, {"two", "22"}}));

    VivResult result = RunProgram(folder, "list a.viv");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "2\tdir\\\\one.txt\n2\ttwo\n");
    EXPECT_EQ(result.err, "");

    result = RunProgram(folder, "extract a.viv");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(Tree(folder.path), (Strings{"a.viv=" + ReadText(folder.File("a.viv")), "dir/", "dir/one.txt=1\n", "two=22"}));

    result = RunProgram(folder, "check missing.viv");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "viv: File couldn't be opened: missing.viv\n");

    result = RunProgram(folder, "");
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "viv: No command given.\n" + std::string(toolTexts::usage));

    result = RunProgram(folder, "--version");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "viv (Tamsel) " TAMSEL_VERSION "\n");
}

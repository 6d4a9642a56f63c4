#include <gtest/gtest.h>

#include "CommandLine.h"
#include "MemberNames.h"

TEST(CommandLine, DropsOnlyQuotesAroundTheWholeText)
{
    const struct {
        const char* commandLine;
        const char* path;
    } cases[] = {
        {"", ""},
        {"C:\\a b\\x.viv", "C:\\a b\\x.viv"},
        {"\"C:\\a b\\x.viv\"", "C:\\a b\\x.viv"},
        {"C:\\x.viv  ", "C:\\x.viv  "},
        {"\"C:\\x.viv\" ", "\"C:\\x.viv\" "},
        {"\"", "\""},
        {"\"\"", ""},
        {"a.viv b.viv", "a.viv b.viv"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ArchivePathFromCommandLine(c.commandLine), c.path) << c.commandLine;
    EXPECT_EQ(ArchivePathFromCommandLine(nullptr), "");
}

TEST(MemberNames, ImportTakesTheTextAfterTheLastBackslash)
{
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"C:\\dir\\sub\\tex.bin", "tex.bin"},
        {"tex.bin", "tex.bin"},
        {"C:\\dir\\", "C:\\dir\\"},
        {"C:/dir/a.txt", "C:/dir/a.txt"},
        {"C:\\dir\\Mixed Case.TXT", "Mixed Case.TXT"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MemberNameFromPath(c.path), c.name) << c.path;
}

TEST(MemberNames, ExportOffersASafeFileName)
{
    const struct {
        std::string member;
        std::size_t maxLength;
        std::string offered;
    } cases[] = {
        {"a.txt", 259, "a.txt"},
        {"dir\\sub/a.txt", 259, "a.txt"},
        {"..\\..\\", 259, ""},
        {"C:evil", 259, "C_evil"},
        {"a<b>c:d\"e|f?g*h", 259, "a_b_c_d_e_f_g_h"},
        {std::string("ctl\x01\x1f\x7f\xe9", 7), 259, std::string("ctl__\x7f\xe9", 7)},
        {"abcdef", 3, "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExportFileName(c.member, c.maxLength), c.offered) << c.member;
}

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "CommandLine.h"
#include "Fixtures.h"
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

// Made absolute at start, as Windows resolves it: a file dialog changes the current folder.
TEST(CommandLine, StartupPathIsAbsolute)
{
    char current[MAX_PATH] = {};
    ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, current), 0u);
    std::string here = current;
    if (here.back() != '\\')
        here += '\\';
    const struct {
        const char* commandLine;
        std::string path;
    } cases[] = {
        {"", ""},
        {"x.viv", here + "x.viv"},
        {"\"my archive.viv\"", here + "my archive.viv"},
        {"sub\\..\\x.viv", here + "x.viv"},
        {"C:\\a b\\x.viv", "C:\\a b\\x.viv"},
        {"\"C:\\a b\\x.viv\"", "C:\\a b\\x.viv"},
        {"C:\\dir\\.\\sub\\..\\x.viv", "C:\\dir\\x.viv"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StartupArchivePath(c.commandLine), c.path) << c.commandLine;
    EXPECT_EQ(StartupArchivePath(nullptr), "");
}

// Run in a Japanese locale (code page 932): ソ is 83 5C, 表 95 5C, ポ 83 7C; each stays whole.
TEST(JapaneseMemberNames, KeepDoubleByteCharactersWhole)
{
    ASSERT_EQ(GetACP(), 932u) << "run with LC_ALL=ja_JP.UTF-8";
    using cp932::po;
    using cp932::software;
    using cp932::table;

    const struct {
        std::string path;
        std::string name;
    } imports[] = {
        {"C:\\mods\\" + software, software},
        {"C:\\mods\\" + table, table},
        {"C:\\\x95\x5c\\" + po, po},
        {software, software},
    };
    for (const auto& c : imports)
        EXPECT_EQ(MemberNameFromPath(c.path), c.name) << c.path;

    const struct {
        std::string member;
        std::size_t maxLength;
        std::string offered;
    } exports[] = {
        {software, 259, software},
        {"dir\\" + table, 259, table},
        {"\x95\x5c/" + po, 259, po},
        {po + "|", 259, po + "_"},
        {"\x83\x5c\x83\x74\x83\x67", 5, "\x83\x5c\x83\x74"},
    };
    for (const auto& c : exports)
        EXPECT_EQ(ExportFileName(c.member, c.maxLength), c.offered) << c.member;
}

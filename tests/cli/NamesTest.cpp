#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NameEscape.h"
#include "SafeNames.h"

TEST(EscapeName, WritesOnlyBackslashesAndControlBytesDifferently)
{
    const struct {
        std::string name;
        std::string printed;
    } cases[] = {
        {"a.txt", "a.txt"},
        {"", ""},
        {"dir\\file", "dir\\\\file"},
        {"dir/file with blanks", "dir/file with blanks"},
        {std::string("nul\0byte", 8), "nul\\x00byte"},
        {"tab\there\nline\r", "tab\\x09here\\x0aline\\x0d"},
        {"\x1f\x7f", "\\x1f\\x7f"},
        {" ~", " ~"},
        {"\x80\xe9t\xe9\xff", "\x80\xe9t\xe9\xff"},
        {"\\x41", "\\\\x41"},  // an escape-like name stays apart from the escape of 'A'
    };
    for (const auto& c : cases)
        EXPECT_EQ(EscapeName(c.name), c.printed) << c.printed;
}

TEST(SplitSafeName, SplitsSafeRelativePaths)
{
    const struct {
        std::string name;
        std::vector<std::string> components;
    } cases[] = {
        {"a.txt", {"a.txt"}},
        {"dir/sub\\file.bin", {"dir", "sub", "file.bin"}},
        {".hidden", {".hidden"}},
        {"a..b", {"a..b"}},
        {"name with blanks", {"name with blanks"}},
        {"\xe9t\xe9.txt", {"\xe9t\xe9.txt"}},
        {"CONSOLE", {"CONSOLE"}},
        {"con2", {"con2"}},
        {"COM10", {"COM10"}},
        {"LPT", {"LPT"}},
        {"xNUL", {"xNUL"}},
        {"nul_", {"nul_"}},
        {std::string(255, 'n'), {std::string(255, 'n')}},
    };
    for (const auto& c : cases) {
        std::vector<std::string_view> components;
        ASSERT_TRUE(SplitSafeName(c.name, components)) << c.name;
        EXPECT_EQ(std::vector<std::string>(components.begin(), components.end()), c.components) << c.name;
    }
}

TEST(SplitSafeName, RefusesEveryOtherName)
{
    const std::string refused[] = {
        "",
        "/absolute",
        "\\absolute",
        "\\\\server\\share\\file",
        "a//b",
        "a\\\\b",
        "dir/",
        ".",
        "..",
        "./a",
        "a/./b",
        "../escape",
        "a/../../escape",
        "..\\escape",
        "C:file",
        "C:\\file",
        "c:/file",
        "file:stream",
        "file::$DATA",
        std::string("nul\0byte", 8),
        "tab\tname",
        "line\nfeed",
        "\x1f",
        "a<b",
        "a>b",
        "a\"b",
        "a|b",
        "a?b",
        "a*b",
        "dot.",
        "dir./file",
        "blank ",
        "dir /file",
        "...",
        "CON",
        "con",
        "Con.txt",
        "nul.tar.gz",
        "PRN",
        "aux.c",
        "AUX .txt",
        "conin$",
        "CONOUT$.log",
        "COM0",
        "com1.txt",
        "COM9",
        "lpt0",
        "LPT9.x.y",
        "COM\xb9",
        "lpt\xb2.txt",
        "dir/aux/file",
        "nul/file",
        std::string(256, 'n'),
        "dir/" + std::string(256, 'n'),
    };
    for (const std::string& name : refused) {
        std::vector<std::string_view> components;
        EXPECT_FALSE(SplitSafeName(name, components)) << name;
    }
}

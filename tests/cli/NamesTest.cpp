#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

#include "Fixtures.h"
#include "NameEscape.h"
#include "Platform.h"
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

// On a terminal a C1 control (0x9B starts a control sequence on 8-bit terminals, as ESC does)
// is escaped; the bytes 0x80 to 0x9F inside whole characters of the terminal's encoding stay.
TEST(EscapeForTerminal, EscapesWhatTheTerminalTakesForAControl)
{
    const std::string csi = "\x9b" "31m";
    const struct {
        const char* terminal;
        std::string text;
        std::string printed;
    } cases[] = {
#ifdef _WIN32
        // The console's code page.
        {"65001", "\xc3\xa9t\xc3\xa9.txt", "\xc3\xa9t\xc3\xa9.txt"},
        {"65001", "\xe2\x80\x9d\xc4\x80", "\xe2\x80\x9d\xc4\x80"},
        {"65001", "\xc2\x9b" "31m", "\\xc2\\x9b31m"},
        {"65001", csi, "\\x9b31m"},
        {"65001", "a\xe6\x97", "a\xe6\\x97"},
        {"1252", "\x80uro \x9b \x85", "\x80uro \x9b \x85"},
        {"1252", "\x81\x8d\x8f\x90\x9d", "\\x81\\x8d\\x8f\\x90\\x9d"},
        {"932", "\x83\x5c\x83\x74\x83\x67.bin", "\x83\x5c\x83\x74\x83\x67.bin"},
        {"932", "\x95\x5c \x83\x7c \x9b\x5b", "\x95\x5c \x83\x7c \x9b\x5b"},
        {"932", "\x80 a\x83", "\\x80 a\\x83"},
        {"932", "\x9b\n", "\\x9b\n"},
        {"932", "a.txt\tb\\\\c\n", "a.txt\tb\\\\c\n"},
#else
        // The locale's character set.
        {"C.UTF-8", "\xc3\xa9t\xc3\xa9.txt", "\xc3\xa9t\xc3\xa9.txt"},
        {"C.UTF-8", "\xe2\x80\x9d\xc4\x80", "\xe2\x80\x9d\xc4\x80"},
        {"C.UTF-8", "\xe6\x97\xa5\xe6\x9c\xac", "\xe6\x97\xa5\xe6\x9c\xac"},
        {"C.UTF-8", "\xc2\x9b" "31m", "\\xc2\\x9b31m"},
        {"C.UTF-8", "\xc2\x85", "\\xc2\\x85"},
        {"C.UTF-8", csi, "\\x9b31m"},
        {"C.UTF-8", "a\xe6\x97", "a\xe6\\x97"},
        // An 8-bit terminal: every byte 0x80 to 0x9F is a control.
        {"C", csi, "\\x9b31m"},
        {"C", "\xc4\x80\xe9\xff", "\xc4\\x80\xe9\xff"},
        {"C.UTF-8", "a.txt\tb\\\\c\n", "a.txt\tb\\\\c\n"},
#endif
    };
    for (const auto& c : cases)
        EXPECT_EQ(EscapeForTerminal(c.text, TerminalReaderFor(c.terminal)), c.printed) << c.terminal << ": " << c.printed;
}

#ifdef _WIN32
// Run in a Japanese locale: wine gives the process code page 932, where the second byte of ソ
// (83 5C) and 表 (95 5C) is '\' and that of ポ (83 7C) is '|'.
TEST(JapaneseNames, KeepDoubleByteCharactersWhole)
{
    ASSERT_EQ(GetACP(), 932u) << "run with LC_ALL=ja_JP.UTF-8";
    using cp932::po;
    using cp932::software;
    using cp932::table;

    const struct {
        std::string name;
        std::string printed;
    } escapes[] = {
        {software, software},
        {table, table},
        {"dir\\" + po, "dir\\\\" + po},
        {"\x83\n", "\x83\\x0a"},
    };
    for (const auto& c : escapes)
        EXPECT_EQ(EscapeName(c.name), c.printed) << c.name;

    const struct {
        std::string name;
        std::vector<std::string> components;
    } splits[] = {
        {software, {software}},
        {"\x95\x5c\\" + po, {"\x95\x5c", po}},
        {"\x83\x5c/" + table, {"\x83\x5c", table}},
    };
    for (const auto& c : splits) {
        std::vector<std::string_view> components;
        ASSERT_TRUE(SplitSafeName(c.name, components)) << c.name;
        EXPECT_EQ(std::vector<std::string>(components.begin(), components.end()), c.components) << c.name;
    }
    for (const std::string refused : {"\x83:x", "a\x83\x5c\\..\\b", "\x95\x5c."}) {
        std::vector<std::string_view> components;
        EXPECT_FALSE(SplitSafeName(refused, components)) << refused;
    }
}
#endif

#include <gtest/gtest.h>

#include <string>

#include "Characters.h"
#include "FileSystem.h"
#include "Fixtures.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace {
constexpr std::size_t npos = std::string::npos;

struct SplitCase {
    std::string path;
    std::string folder;
    std::string base;
    bool endsInSeparator;
};

void ExpectSplits(const SplitCase& c)
{
    EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
    EXPECT_EQ(BaseNamePart(c.path), c.base) << c.path;
    EXPECT_EQ(EndsInSeparator(c.path), c.endsInSeparator) << c.path;
}
}  // namespace

// In a single-byte code page (and always on POSIX) every byte is a character.
TEST(Characters, SingleBytesAreCharacters)
{
    EXPECT_EQ(FindFirstCharacterOf("a/b/c", "/"), 1u);
    EXPECT_EQ(FindLastCharacterOf("a/b/c", "/"), 3u);
    EXPECT_EQ(FindLastCharacterOf("abc", "/"), npos);
    EXPECT_EQ(FindLastCharacterOf("", "/"), npos);
    EXPECT_EQ(FindFirstCharacterOf("x\xe9/", "/"), 2u);
    EXPECT_EQ(WholeCharactersWithin("abcdef", 3), 3u);
    EXPECT_EQ(WholeCharactersWithin("ab", 3), 2u);
    EXPECT_EQ(WholeCharactersWithin("ab", 0), 0u);

    const SplitCase cases[] = {
        {"dir/sub/file.bin", "dir/sub/", "file.bin", false},
        {"file.bin", "", "file.bin", false},
        {"dir/", "dir/", "", true},
        {"/", "/", "", true},
        {"", "", "", false},
        {"\xe9t\xe9/\xe9.txt", "\xe9t\xe9/", "\xe9.txt", false},
#ifdef _WIN32
        {"C:\\dir\\file.bin", "C:\\dir\\", "file.bin", false},
        {"C:file.bin", "C:", "file.bin", false},
        {"C:\\mixed/sep\\x", "C:\\mixed/sep\\", "x", false},
        {"C:", "C:", "", true},
#else
        {"dir\\file", "", "dir\\file", false},
#endif
    };
    for (const SplitCase& c : cases)
        ExpectSplits(c);
}

#ifdef _WIN32
// Run in a Japanese locale: the process code page is 932, where the second byte of many
// characters is '\' (ソ 83 5C, 表 95 5C) or '|' (ポ 83 7C).
TEST(JapaneseCharacters, SecondBytesAreNoSeparators)
{
    ASSERT_EQ(GetACP(), 932u) << "run with LC_ALL=ja_JP.UTF-8";
    const std::string so = cp932::so;
    const std::string hyo = "\x95\x5c";                // 表
    const std::string software = so + "\x83\x74\x83\x67";  // ソフト

    EXPECT_EQ(CharacterLength(so, 0), 2u);
    EXPECT_EQ(CharacterLength("\x83", 0), 1u) << "a lead byte at the end";
    EXPECT_EQ(CharacterLength("\x83\n", 0), 1u) << "a control is never a second byte";
    EXPECT_EQ(CharacterLength("\x83/", 0), 1u) << "nor is '/'";
    EXPECT_EQ(CharacterLength("a" + so, 1), 2u);
    EXPECT_EQ(FindLastCharacterOf("C:\\mods\\" + software + ".bin", "\\"), 7u);
    EXPECT_EQ(FindFirstCharacterOf(software + "\\x", "\\/"), 6u);
    EXPECT_EQ(FindFirstCharacterOf("\x83\x7c", "|"), npos);
    EXPECT_EQ(WholeCharactersWithin(software, 3), 2u);
    EXPECT_EQ(WholeCharactersWithin(software, 4), 4u);

    const SplitCase cases[] = {
        {"C:\\mods\\" + software + ".bin", "C:\\mods\\", software + ".bin", false},
        {"C:\\" + hyo + "\\x.txt", "C:\\" + hyo + "\\", "x.txt", false},
        {hyo + ".txt", "", hyo + ".txt", false},
        {"C:\\out\\" + so, "C:\\out\\", so, false},
        {"C:\\out\\" + so + "\\", "C:\\out\\" + so + "\\", "", true},
    };
    for (const SplitCase& c : cases)
        ExpectSplits(c);
}
#endif

#include <gtest/gtest.h>

#include "Names.h"

TEST(FormatDecimal, GivesPlainDigits)
{
    const struct {
        std::uint32_t value;
        const char* text;
    } cases[] = {{0, "0"}, {9, "9"}, {10, "10"}, {300, "300"}, {1000000, "1000000"}, {4294967295u, "4294967295"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatDecimal(c.value), c.text) << c.value;
}

TEST(NamesEqual, ComparesLengthAndBytes)
{
    const struct {
        std::string a, b;
        bool equal;
    } cases[] = {
        {"readme.txt", "README.TXT", false},
        {"abc", "ab", false},
        {"abc", "abc ", false},
        {"", "", true},
        {"a.txt", "a.txt", true},
        {"\xe9t\xe9.txt", "\xe9t\xe9.txt", true},
        {"\xe9t\xe9.txt", "\xc9T\xc9.txt", false},
        {std::string("a\0b", 3), std::string("a\0c", 3), false},
        {"dir\\a", "dir/a", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NamesEqual(c.a, c.b), c.equal) << c.a << " vs " << c.b;
}

// Run in a Japanese locale, where wine gives the process code page 932: there the second byte
// of ソ (83 5C) and 表 (95 5C) is '\', and that of ポ (83 7C) is '|'. Names keep every byte.

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>

#include "VivRun.h"

namespace {
using cp932::po;
using cp932::so;
using cp932::software;
using cp932::table;

class JapaneseVivTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(GetACP(), 932u) << "run with LC_ALL=ja_JP.UTF-8"; }

    // The names in a folder of ours, as the code page spells them.
    std::vector<std::string> NamesIn(const std::string& name) const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA item;
        HANDLE search = FindFirstFileA(folder.File(name + "\\*").c_str(), &item);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (std::string(item.cFileName) != "." && std::string(item.cFileName) != "..")
                names.emplace_back(item.cFileName);
        } while (FindNextFileA(search, &item));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder folder;
};
}  // namespace

TEST_F(JapaneseVivTest, CreateListAndExtractKeepEveryByte)
{
    WriteBytes(folder.File(software), BytesOf("s"));
    WriteBytes(folder.File(table), BytesOf("tt"));
    WriteBytes(folder.File(po), BytesOf("ppp"));
    std::string archive = folder.File("a.viv");
    VivResult result = Viv({"create", archive, folder.File(software), folder.File(table), folder.File(po)});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Loaded(archive), (std::vector<std::string>{software + "=s", table + "=tt", po + "=ppp"}));

    result = Viv({"list", archive});
    EXPECT_EQ(result.out, "1\t" + software + "\n2\t" + table + "\n3\t" + po + "\n");

    // Into a folder whose name ends in a second byte '\'.
    ASSERT_TRUE(CreateDirectoryA(folder.File(so).c_str(), nullptr));
    result = Viv({"extract", archive, "-C", folder.File(so)});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(NamesIn(so), (std::vector<std::string>{software, po, table}));
    EXPECT_EQ(ReadBytes(folder.File(so + "\\" + software)), BytesOf("s"));
    EXPECT_EQ(ReadBytes(folder.File(so + "\\" + table)), BytesOf("tt"));
    EXPECT_EQ(ReadBytes(folder.File(so + "\\" + po)), BytesOf("ppp"));

    // A folder whose name ends in a second byte '\' as the operand of create.
    std::string again = folder.File("again.viv");
    result = Viv({"create", again, folder.File(so)});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Loaded(again), (std::vector<std::string>{software + "=s", po + "=ppp", table + "=tt"}));
}

TEST_F(JapaneseVivTest, ExtractSplitsNamesOnlyBetweenCharacters)
{
    std::string archive = folder.File("a.viv");
    WriteBytes(archive, Archive({{"\x95\x5c\\" + po, "p"}, {so + "/" + software, "s"}}));
    VivResult result = Viv({"extract", archive, "-C", folder.File("")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(NamesIn("\x95\x5c"), std::vector<std::string>{po});
    EXPECT_EQ(NamesIn(so), std::vector<std::string>{software});
    EXPECT_EQ(ReadBytes(folder.File("\x95\x5c\\" + po)), BytesOf("p"));
}

// The program itself: its arguments and output in the code page, through the shell.
TEST_F(JapaneseVivTest, TheProgramKeepsEveryByte)
{
    WriteBytes(folder.File(software), BytesOf("s"));
    WriteBytes(folder.File(table), BytesOf("tt"));
    VivResult result = RunProgram(folder, "create b.viv " + Quoted(software) + " " + Quoted(table));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Loaded(folder.File("b.viv")), (std::vector<std::string>{software + "=s", table + "=tt"}));

    result = RunProgram(folder, "list b.viv");
    EXPECT_EQ(result.out, "1\t" + software + "\n2\t" + table + "\n");

    ASSERT_TRUE(CreateDirectoryA(folder.File(so).c_str(), nullptr));
    result = RunProgram(folder, "extract b.viv -C " + so);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(NamesIn(so), (std::vector<std::string>{software, table}));
}

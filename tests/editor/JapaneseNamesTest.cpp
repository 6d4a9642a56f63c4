// Run in a Japanese locale, where wine gives the process code page 932: there the second byte
// of ソ (83 5C) and 表 (95 5C) is '\', and that of ポ (83 7C) is '|'. Names keep every byte.

#include "EditorFixture.h"

namespace {
using cp932::po;
using cp932::software;
using cp932::table;

class JapaneseEditorTest : public EditorTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GetACP(), 932u) << "run with LC_ALL=ja_JP.UTF-8";
        EditorTest::SetUp();
    }
};
}  // namespace

TEST_F(JapaneseEditorTest, ImportNamesTheMemberAfterTheWholeFileName)
{
    std::string archive = MakeArchive("a.viv", {{"a", "1"}});
    WriteBytes(folder.File(software), BytesOf("software"));
    WriteBytes(folder.File(table), BytesOf("table"));
    CreateMainDialog(archive);
    ExpectFileDialog("Import file", folder.File(software));
    Click(IDC_IMPORT);
    ExpectFileDialog("Import file", folder.File(table));
    Click(IDC_IMPORT);
    EXPECT_EQ(Seen().size(), 2u);
    EXPECT_EQ(Rows(), (std::vector<Row>{{"a", "1"}, {software, "8"}, {table, "5"}}));

    Click(IDC_SAVE);
    EXPECT_EQ(ArchiveMembers(archive),
              (std::vector<std::pair<std::string, std::string>>{{"a", "1"}, {software, "software"}, {table, "table"}}));
}

TEST_F(JapaneseEditorTest, ExportOffersTheWholeFileName)
{
    std::string archive = MakeArchive("a.viv", {{software, "s"}, {"dir\\" + table, "t"}, {po, "p"}});
    CreateMainDialog(archive);
    SelectRows({0, 1, 2});
    ExpectFileDialog("Export file", folder.File(software));
    ExpectFileDialog("Export file", folder.File(table));
    ExpectFileDialog("Export file", folder.File(po));
    Click(IDC_EXPORT);
    EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Export file", software}, {"Export file", table}, {"Export file", po}}));
    EXPECT_EQ(ReadBytes(folder.File(software)), BytesOf("s"));
    EXPECT_EQ(ReadBytes(folder.File(table)), BytesOf("t"));
    EXPECT_EQ(ReadBytes(folder.File(po)), BytesOf("p"));
    EXPECT_TRUE(SelectedRows().empty());
}

// Run in a Japanese locale, where wine gives the process code page 932: there the second byte
// of ソ (83 5C) and 表 (95 5C) is '\', and that of ポ (83 7C) is '|'. Names keep every byte.

#include "EditorFixture.h"

namespace {
const std::string software = "\x83\x5c\x83\x74\x83\x67.bin";  // ソフト.bin
const std::string table = "\x95\x5c.txt";                     // 表.txt
const std::string po = "\x83\x7c.txt";                        // ポ.txt

class JapaneseEditorTest : public EditorTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GetACP(), 932u) << "run with LC_ALL=ja_JP.UTF-8";
        EditorTest::SetUp();
    }
    // Not folder.File: std::filesystem does not convert names in the code page.
    std::string InFolder(const std::string& name) const { return folder.File("") + name; }
};
}  // namespace

TEST_F(JapaneseEditorTest, ImportNamesTheMemberAfterTheWholeFileName)
{
    std::string archive = MakeArchive("a.viv", {{"a", "1"}});
    WriteBytes(InFolder(software), BytesOf("software"));
    WriteBytes(InFolder(table), BytesOf("table"));
    CreateMainDialog(archive);
    ExpectFileDialog("Import file", InFolder(software));
    Click(IDC_IMPORT);
    ExpectFileDialog("Import file", InFolder(table));
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
    ExpectFileDialog("Export file", InFolder(software));
    ExpectFileDialog("Export file", InFolder(table));
    ExpectFileDialog("Export file", InFolder(po));
    Click(IDC_EXPORT);
    EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Export file", software}, {"Export file", table}, {"Export file", po}}));
    EXPECT_EQ(ReadBytes(InFolder(software)), BytesOf("s"));
    EXPECT_EQ(ReadBytes(InFolder(table)), BytesOf("t"));
    EXPECT_EQ(ReadBytes(InFolder(po)), BytesOf("p"));
    EXPECT_TRUE(SelectedRows().empty());
}

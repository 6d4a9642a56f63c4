#include "EditorFixture.h"

namespace {
std::vector<std::string> Names()
{
    std::vector<std::string> names;
    for (const ArchiveEntry& entry : documentState.table)
        names.push_back(entry.name);
    return names;
}
}  // namespace

TEST_F(EditorTest, CommandsOnSelectedRowsNeedASelection)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}, {"b", "2"}});
    CreateMainDialog(path);
    for (int button : {IDC_EXPORT, IDC_RENAME, IDC_REMOVE, IDC_MOVE_UP, IDC_MOVE_DOWN}) {
        ExpectMessageBox("Error");
        Click(button);
        EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Error", "No file selected."}})) << button;
    }
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(RowEditControl(dialog), nullptr);
}

TEST_F(EditorTest, RenameEditsTheFirstSelectedRow)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}, {"b", "22"}, {"c", "3"}, {"d", "4"}});
    CreateMainDialog(path);
    SelectRows({1, 3});
    Click(IDC_RENAME);
    ASSERT_NE(RowEditControl(dialog), nullptr);
    EXPECT_EQ(WindowTextOf(RowEditControl(dialog)), "b");
    EXPECT_EQ(SelectedRows(), std::vector<int>{1});

    // Taken exactly as typed, blanks included.
    ConfirmRowEdit(dialog, " new name.txt ");
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", " new name.txt ", "c", "d"}));
    EXPECT_EQ(Rows()[1], (Row{" new name.txt ", "2"}));
    EXPECT_EQ(RowEditControl(dialog), nullptr);
    EXPECT_TRUE(Seen().empty());
}

TEST_F(EditorTest, RenameAcceptsTheSameNameAndOtherCase)
{
    std::string path = MakeArchive("a.viv", {{"a.txt", "1"}, {"b.txt", "2"}});
    CreateMainDialog(path);
    for (const std::string& name : {std::string("b.txt"), std::string("A.TXT")}) {
        SelectRows({1});
        Click(IDC_RENAME);
        ConfirmRowEdit(dialog, name);
        EXPECT_EQ(Names()[1], name);
        EXPECT_EQ(Rows()[1].first, name);
    }
    EXPECT_TRUE(Seen().empty());
}

TEST_F(EditorTest, RenameRefusesEmptyAndCancelledEdits)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}, {"b", "2"}});
    CreateMainDialog(path);
    SelectRows({0});
    Click(IDC_RENAME);
    ConfirmRowEdit(dialog, "");
    SelectRows({0});
    Click(IDC_RENAME);
    CancelRowEdit(dialog);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Rows()[0].first, "a");
    EXPECT_TRUE(Seen().empty());
}

// After the refusal a new edit of the same row really begins, on the unchanged name.
TEST_F(EditorTest, RenameRefusesANameAlreadyTaken)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}, {"b", "2"}});
    CreateMainDialog(path);
    SelectRows({1});
    Click(IDC_RENAME);
    ExpectMessageBox("Error");
    ConfirmRowEdit(dialog, "a");
    EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Error", "File name already exists."}}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Rows()[1].first, "b");
    HWND edit = RowEditControl(dialog);
    ASSERT_NE(edit, nullptr) << "no new edit began";
    EXPECT_EQ(WindowTextOf(edit), "b");

    ConfirmRowEdit(dialog, "c");
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(Rows()[1].first, "c");
}

TEST_F(EditorTest, CommitRenameNeedsAnOpenDocument)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}});
    CreateMainDialog(path);
    documentState.documentOpen = false;
    char text[] = "z";
    NMLVDISPINFOA edit = {};
    edit.hdr.code = LVN_ENDLABELEDITA;
    edit.item.iItem = 0;
    edit.item.pszText = text;
    // The procedure's own result (the platform hands the list the message result, never set).
    EXPECT_EQ(MainDialogProc(dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&edit)), FALSE);
    EXPECT_EQ(Names(), std::vector<std::string>{"a"});
    documentState.documentOpen = true;
    EXPECT_EQ(MainDialogProc(dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&edit)), TRUE);
    EXPECT_EQ(Names(), std::vector<std::string>{"z"});
}

TEST_F(EditorTest, RemoveTakesEverySelectedRow)
{
    std::string path = MakeArchive("a.viv", {{"r0", "0"}, {"r1", "11"}, {"r2", "2"}, {"r3", "333"}});
    CreateMainDialog(path);
    SelectRows({0, 2});
    Click(IDC_REMOVE);
    EXPECT_EQ(Rows(), (std::vector<Row>{{"r1", "2"}, {"r3", "3"}}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"r1", "r3"}));
    EXPECT_TRUE(SelectedRows().empty());

    SelectRows({0, 1});
    Click(IDC_REMOVE);
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(documentState.documentOpen);
    Click(IDC_SAVE);
    EXPECT_EQ(ReadBytes(path), Header(16, 0, 16));
    EXPECT_TRUE(Seen().empty());
}

TEST_F(EditorTest, MovesShiftTheFirstSelectedMember)
{
    const struct {
        const char* what;
        int button;
        std::vector<int> selected;
        std::vector<std::string> names;
        int selectedAfter;
    } cases[] = {
        {"up from the middle", IDC_MOVE_UP, {2}, {"m0", "m2", "m1", "m3"}, 1},
        {"up with rows 2 and 3", IDC_MOVE_UP, {2, 3}, {"m0", "m2", "m1", "m3"}, 1},
        {"up from the top", IDC_MOVE_UP, {0}, {"m0", "m1", "m2", "m3"}, 0},
        {"up from the bottom", IDC_MOVE_UP, {3}, {"m0", "m1", "m3", "m2"}, 2},
        {"down from the middle", IDC_MOVE_DOWN, {1}, {"m0", "m2", "m1", "m3"}, 2},
        {"down with rows 1 and 2", IDC_MOVE_DOWN, {1, 2}, {"m0", "m2", "m1", "m3"}, 2},
        {"down from the bottom", IDC_MOVE_DOWN, {3}, {"m0", "m1", "m2", "m3"}, 3},
        {"down from the top", IDC_MOVE_DOWN, {0}, {"m1", "m0", "m2", "m3"}, 1},
    };
    std::string path = MakeArchive("a.viv", {{"m0", "0"}, {"m1", "11"}, {"m2", "222"}, {"m3", "3333"}});
    for (const auto& c : cases) {
        CreateMainDialog(path);
        SelectRows(c.selected);
        Click(c.button);
        EXPECT_EQ(Names(), c.names) << c.what;
        std::vector<Row> rows = Rows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].first, c.names[i]) << c.what;
            EXPECT_EQ(rows[i].second, std::to_string(documentState.table[i].size())) << c.what;
        }
        EXPECT_EQ(SelectedRows(), std::vector<int>{c.selectedAfter}) << c.what;
        DestroyMainDialog();
    }

    std::string single = MakeArchive("one.viv", {{"only", "1"}});
    CreateMainDialog(single);
    for (int button : {IDC_MOVE_UP, IDC_MOVE_DOWN}) {
        SelectRows({0});
        Click(button);
        EXPECT_EQ(Names(), std::vector<std::string>{"only"});
        EXPECT_EQ(SelectedRows(), std::vector<int>{0});
    }
    EXPECT_TRUE(Seen().empty());
}

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "EditorFixture.h"

// The list is a virtual one made at start-up in the place of the template's list: these tests
// hold it to the template's list as the dialog manager makes it, to the contract of a virtual
// list (it asks its parent for every text and search, in the ANSI forms), and to the scroll
// behaviours of the commands.

namespace {
INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

struct Child {
    std::string windowClass;
    int id;
    bool operator==(const Child&) const = default;
};

void PrintTo(const Child& child, std::ostream* out)
{
    *out << child.windowClass << " " << child.id;
}

// The dialog's children in z-order, which is the tab order.
std::vector<Child> Children(HWND dialog)
{
    std::vector<Child> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        children.push_back(Child{name, GetDlgCtrlID(child)});
    }
    return children;
}

RECT RectInDialog(HWND control)
{
    RECT box;
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&box), 2);
    return box;
}

LOGFONTA FontOf(HWND control)
{
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

HWND List(HWND dialog)
{
    return GetDlgItem(dialog, IDC_FILE_LIST);
}

// Names m000 to m(count - 1), far more rows than the list shows at once.
std::vector<std::pair<std::string, std::string>> ManyMembers(int count)
{
    std::vector<std::pair<std::string, std::string>> members;
    for (int i = 0; i < count; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "m%03d", i);
        members.emplace_back(name, "x");
    }
    return members;
}

int TopRow(HWND dialog)
{
    return static_cast<int>(SendMessageA(List(dialog), LVM_GETTOPINDEX, 0, 0));
}

// Scrolled so that row is the top row.
void ScrollTo(HWND dialog, int row)
{
    int count = static_cast<int>(SendMessageA(List(dialog), LVM_GETITEMCOUNT, 0, 0));
    SendMessageA(List(dialog), LVM_ENSUREVISIBLE, static_cast<WPARAM>(count - 1), FALSE);
    SendMessageA(List(dialog), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

// The whole row lies inside the list's client area, below the header.
bool RowFullyVisible(HWND dialog, int row)
{
    HWND list = List(dialog);
    RECT rowBox = {};
    rowBox.left = LVIR_BOUNDS;
    if (!SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rowBox)))
        return false;
    RECT client, header;
    GetClientRect(list, &client);
    GetWindowRect(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), &header);
    return rowBox.top >= header.bottom - header.top && rowBox.bottom <= client.bottom;
}

LRESULT MessageResult(HWND dialog)
{
    return GetWindowLongPtrA(dialog, DWLP_MSGRESULT);
}
}  // namespace

TEST_F(EditorTest, TheListTakesTheTemplateListsPlace)
{
    CreateMainDialog();
    HWND reference = CreateDialogParamA(instanceHandle, MAKEINTRESOURCEA(IDD_MAIN_DIALOG), nullptr, PlainDialogProc, 0);
    ASSERT_NE(reference, nullptr);
    HWND list = List(dialog);
    HWND templateList = List(reference);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(templateList, nullptr);

    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE)),
              static_cast<DWORD>(GetWindowLongA(templateList, GWL_STYLE)) | LVS_OWNERDATA);
    EXPECT_EQ(GetWindowLongA(list, GWL_EXSTYLE), GetWindowLongA(templateList, GWL_EXSTYLE));
    EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
              SendMessageA(templateList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    RECT box = RectInDialog(list), expected = RectInDialog(templateList);
    EXPECT_TRUE(EqualRect(&box, &expected)) << box.left << "," << box.top << " " << box.right << "," << box.bottom;
    LOGFONTA font = FontOf(list), expectedFont = FontOf(templateList);
    EXPECT_STREQ(font.lfFaceName, expectedFont.lfFaceName);
    EXPECT_EQ(font.lfHeight, expectedFont.lfHeight);
    EXPECT_EQ(Children(dialog), Children(reference));
    EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(dialog, list, FALSE)),
              GetDlgCtrlID(GetNextDlgTabItem(reference, templateList, FALSE)));
    EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(dialog, list, TRUE)),
              GetDlgCtrlID(GetNextDlgTabItem(reference, templateList, TRUE)));
    DestroyWindow(reference);

    // Its notifications come in their ANSI forms: the list's own format, and the dialog's answer
    // when a list asks again.
    EXPECT_EQ(SendMessageA(list, LVM_GETUNICODEFORMAT, 0, 0), FALSE);
    EXPECT_EQ(SendMessageA(dialog, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(list), NF_QUERY), NFR_ANSI);
    SendMessageA(list, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(dialog), NF_REQUERY);
    EXPECT_EQ(SendMessageA(list, LVM_GETUNICODEFORMAT, 0, 0), FALSE);
}

// The list hands over a buffer of its own length: a text is cut to fit, always with its NUL.
TEST_F(EditorTest, TheListGetsEachRowsTextsFromTheTable)
{
    std::string path = MakeArchive("a.viv", {{"abcdef", std::string(123456, 'x')}, {"", ""}});
    CreateMainDialog(path);
    const struct {
        int row, column, bufferLength;
        const char* text;
    } cases[] = {
        {0, 0, 64, "abcdef"}, {0, 1, 64, "123456"}, {0, 0, 4, "abc"},  {0, 1, 4, "123"},
        {0, 0, 1, ""},        {1, 0, 64, ""},       {1, 1, 64, "0"},   {2, 0, 64, ""},
    };
    for (const auto& c : cases) {
        char buffer[80];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        NMLVDISPINFOA request = {};
        request.hdr.hwndFrom = List(dialog);
        request.hdr.idFrom = IDC_FILE_LIST;
        request.hdr.code = LVN_GETDISPINFOA;
        request.item.mask = LVIF_TEXT;
        request.item.iItem = c.row;
        request.item.iSubItem = c.column;
        request.item.pszText = buffer;
        request.item.cchTextMax = c.bufferLength;
        SendMessageA(dialog, WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&request));
        EXPECT_STREQ(buffer, c.text) << c.row << "," << c.column << " in " << c.bufferLength;
        EXPECT_EQ(buffer[c.bufferLength], '#') << "written past the buffer";
    }
    EXPECT_EQ(Rows(), (std::vector<Row>{{"abcdef", "123456"}, {"", "0"}}));
}

// Whatever an earlier answer to the list left as the dialog's message result, the end of an edit
// is answered 0, so the list itself never applies an edited text.
TEST_F(EditorTest, TheEndOfAnEditIsAnsweredZero)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}});
    CreateMainDialog(path);
    ASSERT_EQ(SendMessageA(dialog, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(List(dialog)), NF_QUERY), NFR_ANSI);
    char text[] = "renamed";
    NMLVDISPINFOA edit = {};
    edit.hdr.hwndFrom = List(dialog);
    edit.hdr.idFrom = IDC_FILE_LIST;
    edit.hdr.code = LVN_ENDLABELEDITA;
    edit.item.iItem = 0;
    edit.item.pszText = text;
    EXPECT_EQ(SendMessageA(dialog, WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&edit)), 0);
    EXPECT_EQ(documentState.table[0].name, "renamed");
    EXPECT_EQ(Rows()[0].first, "renamed");
}

// The list asks its parent for the row the user types the beginning of; letter case is ignored
// as in a list that holds its own texts.
TEST_F(EditorTest, TypingTheBeginningOfANameSelectsItsRow)
{
    std::string path = MakeArchive("a.viv", {{"alpha", "1"}, {"beta", "2"}, {"Bravo", "3"}, {"charlie", "4"}});
    CreateMainDialog(path);
    const struct {
        const char* typed;
        UINT flags;
        int start;
        LRESULT row;
    } cases[] = {
        {"b", LVFI_PARTIAL | LVFI_WRAP, 0, 1},
        {"B", LVFI_PARTIAL | LVFI_WRAP, 2, 2},
        {"be", LVFI_PARTIAL | LVFI_WRAP, 3, 1},
        {"be", LVFI_PARTIAL, 3, -1},
        {"beta", LVFI_STRING, 0, 1},
        {"bet", LVFI_STRING, 0, -1},
        {"z", LVFI_PARTIAL | LVFI_WRAP, 0, -1},
        {"alpha", LVFI_PARAM, 0, -1},
    };
    for (const auto& c : cases) {
        NMLVFINDITEMA ansi = {};
        ansi.hdr.code = LVN_ODFINDITEMA;
        ansi.iStart = c.start;
        ansi.lvfi.flags = c.flags;
        ansi.lvfi.psz = c.typed;
        ASSERT_EQ(MainDialogProc(dialog, WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&ansi)), TRUE);
        EXPECT_EQ(MessageResult(dialog), c.row) << c.typed << " from " << c.start;

        std::wstring wide(c.typed, c.typed + std::strlen(c.typed));
        NMLVFINDITEMW unicode = {};
        unicode.hdr.code = LVN_ODFINDITEMW;
        unicode.iStart = c.start;
        unicode.lvfi.flags = c.flags;
        unicode.lvfi.psz = wide.c_str();
        ASSERT_EQ(MainDialogProc(dialog, WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&unicode)), TRUE);
        EXPECT_EQ(MessageResult(dialog), c.row) << c.typed << " from " << c.start << ", wide";
    }

    // Typed into the list itself; a letter no name begins with changes nothing.
    HWND list = List(dialog);
    SetFocus(list);
    SendMessageA(list, WM_CHAR, 'c', 1);
    PumpMessages();
    EXPECT_EQ(SelectedRows(), std::vector<int>{3});
    PumpMessages(600);  // the list forgets what was typed after a pause
    SendMessageA(list, WM_CHAR, 'z', 1);
    PumpMessages();
    EXPECT_EQ(SelectedRows(), std::vector<int>{3});
    EXPECT_TRUE(Seen().empty());
}

TEST_F(EditorTest, ImportScrollsItsRowIntoView)
{
    std::string path = MakeArchive("a.viv", ManyMembers(100));
    std::string added = folder.File("added.bin");
    WriteBytes(added, BytesOf("new"));
    std::string replacing = folder.File("m005");
    WriteBytes(replacing, BytesOf("replaced"));
    CreateMainDialog(path);
    ASSERT_EQ(TopRow(dialog), 0);
    ASSERT_FALSE(RowFullyVisible(dialog, 99));

    ExpectFileDialog("Import file", added);
    Click(IDC_IMPORT);
    EXPECT_EQ(Rows().back(), (Row{"added.bin", "3"}));
    EXPECT_TRUE(RowFullyVisible(dialog, 100));

    ExpectFileDialog("Import file", replacing);
    ExpectMessageBox("Replace file", IDOK);
    Click(IDC_IMPORT);
    EXPECT_EQ(Rows()[5], (Row{"m005", "8"}));
    EXPECT_TRUE(RowFullyVisible(dialog, 5));
    EXPECT_TRUE(SelectedRows().empty());
    EXPECT_EQ(Seen().size(), 3u);
}

TEST_F(EditorTest, RemoveKeepsTheScrollPosition)
{
    std::string path = MakeArchive("a.viv", ManyMembers(100));
    CreateMainDialog(path);
    ScrollTo(dialog, 50);
    ASSERT_EQ(TopRow(dialog), 50);

    // One row in view and one above it.
    SelectRows({10, 52});
    Click(IDC_REMOVE);
    EXPECT_EQ(TopRow(dialog), 50);
    EXPECT_EQ(Rows().size(), 98u);
    EXPECT_EQ(Rows()[50].first, "m051");
    EXPECT_TRUE(SelectedRows().empty());

    // At the end of the list the view closes up: the new last row is the last one shown.
    ScrollTo(dialog, 97);
    int perPage = static_cast<int>(SendMessageA(List(dialog), LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_EQ(TopRow(dialog), 98 - perPage);
    SelectRows({95, 96, 97});
    Click(IDC_REMOVE);
    EXPECT_EQ(Rows().size(), 95u);
    EXPECT_EQ(TopRow(dialog), 95 - perPage);
    EXPECT_TRUE(RowFullyVisible(dialog, 94));
    EXPECT_TRUE(Seen().empty());
}

TEST_F(EditorTest, MovesScrollTheMovedRowIntoView)
{
    std::string path = MakeArchive("a.viv", ManyMembers(100));
    CreateMainDialog(path);
    const struct {
        const char* what;
        int top, selected, button, movedTo;
    } cases[] = {
        {"up, below the view", 0, 60, IDC_MOVE_UP, 59},
        {"down, below the view", 0, 60, IDC_MOVE_DOWN, 61},
        {"up, above the view", 80, 30, IDC_MOVE_UP, 29},
        {"down to the last row", 0, 98, IDC_MOVE_DOWN, 99},
    };
    for (const auto& c : cases) {
        ScrollTo(dialog, c.top);
        ASSERT_FALSE(RowFullyVisible(dialog, c.movedTo)) << c.what;
        SelectRows({c.selected});
        Click(c.button);
        EXPECT_EQ(SelectedRows(), std::vector<int>{c.movedTo}) << c.what;
        EXPECT_TRUE(RowFullyVisible(dialog, c.movedTo)) << c.what;
    }
    EXPECT_TRUE(Seen().empty());
}

#include <filesystem>

#include "EditorFixture.h"

namespace {
const std::vector<int> editingButtons = {IDC_SAVE,   IDC_SAVE_AS, IDC_IMPORT,  IDC_EXPORT,
                                         IDC_RENAME, IDC_REMOVE,  IDC_MOVE_UP, IDC_MOVE_DOWN};
}

TEST_F(EditorTest, StartsWithoutADocument)
{
    CreateMainDialog();
    EXPECT_EQ(Status(), "No VIV file opened...");
    EXPECT_EQ(documentState.currentPath, "");
    EXPECT_FALSE(documentState.documentOpen);
    EXPECT_TRUE(Rows().empty());

    HWND list = GetDlgItem(dialog, IDC_FILE_LIST);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 95);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 55);
    EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0), 0);
    HMENU systemMenu = GetSystemMenu(dialog, FALSE);
    EXPECT_TRUE(GetMenuState(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(systemMenu, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED);

    // Nothing to edit: every editing button does nothing and shows nothing.
    for (int button : editingButtons)
        Click(button);
    EXPECT_EQ(Status(), "No VIV file opened...");
    EXPECT_TRUE(Seen().empty());
}

TEST_F(EditorTest, OpensTheArchiveNamedOnTheCommandLine)
{
    std::filesystem::create_directory(folder.path / "with blanks");
    std::string path = MakeArchive("with blanks/my archive.viv", {{"a.txt", "abc"}, {"empty", ""}});
    for (const std::string& commandLine : {path, "\"" + path + "\""}) {
        CreateMainDialog(commandLine);
        EXPECT_EQ(Status(), path) << commandLine;
        EXPECT_EQ(documentState.currentPath, path);
        EXPECT_TRUE(documentState.documentOpen);
        EXPECT_EQ(Rows(), (std::vector<Row>{{"a.txt", "3"}, {"empty", "0"}}));
        DestroyMainDialog();
    }
}

TEST_F(EditorTest, ReportsACommandLineArchiveThatCannotBeRead)
{
    std::string notArchive = folder.File("notes.txt");
    WriteBytes(notArchive, BytesOf("just text"));
    std::string damaged = folder.File("damaged.viv");
    WriteBytes(damaged, Concat({Header(0, 2, 0), Record(36, 5, "a")}));
    const struct {
        std::string commandLine;
        std::string message;
    } cases[] = {
        {folder.File("missing.viv"), "File couldn't be opened:\n" + folder.File("missing.viv")},
        {notArchive, "File is not a valid VIV file:\n" + notArchive},
        {damaged, "File is not a valid VIV file:\n" + damaged},
        // Blanks after the path go, as Windows drops them from every path it resolves.
        {folder.File("missing.viv") + "  ", "File couldn't be opened:\n" + folder.File("missing.viv")},
    };
    for (const auto& c : cases) {
        ExpectMessageBox("Error");
        CreateMainDialog(c.commandLine);
        EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Error", c.message}})) << c.commandLine;
        EXPECT_EQ(Status(), "No VIV file opened...");
        EXPECT_EQ(documentState.currentPath, "");
        EXPECT_FALSE(documentState.documentOpen);
        EXPECT_TRUE(Rows().empty());
        DestroyMainDialog();
    }
}

TEST_F(EditorTest, EnterAndEscapeDoNothing)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}});
    CreateMainDialog(path);
    for (WPARAM command : {WPARAM{IDOK}, WPARAM{IDCANCEL}, WPARAM(MAKEWPARAM(IDC_EXIT, EN_CHANGE))})
        EXPECT_EQ(SendMessageA(dialog, WM_COMMAND, command, 0), FALSE);
    PumpMessages();
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(Status(), path);
}

// Run modally, as the program runs it: Exit and the close box end it with 0.
TEST_F(EditorTest, ExitAndTheCloseBoxEndTheDialog)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}});
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
    } endings[] = {{"Exit", WM_COMMAND, IDC_EXIT}, {"close box", WM_SYSCOMMAND, SC_CLOSE}, {"WM_CLOSE", WM_CLOSE, 0}};
    for (const auto& ending : endings) {
        documentState.currentPath = path;
        ExpectWindow("Tamsel", [&](HWND main) { PostMessageA(main, ending.message, ending.wParam, 0); });
        INT_PTR result = DialogBoxParamA(instanceHandle, MAKEINTRESOURCEA(IDD_MAIN_DIALOG), nullptr, MainDialogProc, 0);
        PumpMessages();
        EXPECT_EQ(result, 0) << ending.what;
        EXPECT_EQ(Seen().size(), 1u) << ending.what;
        EXPECT_TRUE(documentState.table.empty()) << ending.what << ": entries freed";
    }
}

namespace {
// The process's current folder for the life of the object.
struct CurrentFolder {
    explicit CurrentFolder(const std::string& folder)
    {
        GetCurrentDirectoryA(MAX_PATH, previous);
        SetCurrentDirectoryA(folder.c_str());
    }
    ~CurrentFolder() { SetCurrentDirectoryA(previous); }
    char previous[MAX_PATH] = {};
};
}  // namespace

// A file dialog changes the current folder: a relative path from the command line must not
// follow it, or Save would write a new archive into the folder of the last file chosen.
TEST_F(EditorTest, ARelativeCommandLinePathStaysWithItsFolder)
{
    std::filesystem::create_directory(folder.path / "work");
    std::filesystem::create_directory(folder.path / "other");
    std::string archive = MakeArchive("work\\a.viv", {{"a", "1"}});
    WriteBytes(folder.File("other\\new.bin"), BytesOf("new"));
    {
        CurrentFolder inWork(folder.File("work"));
        CreateMainDialog("a.viv");
        EXPECT_EQ(Status(), archive);
        EXPECT_EQ(documentState.currentPath, archive);

        ExpectFileDialogBrowsing("Import file", folder.File("other"), "new.bin");
        Click(IDC_IMPORT);
        Click(IDC_SAVE);
        EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Import file", ""}}));
        DestroyMainDialog();
    }
    EXPECT_EQ(ArchiveMembers(archive), (std::vector<std::pair<std::string, std::string>>{{"a", "1"}, {"new.bin", "new"}}));
    std::vector<std::string> inOther;
    for (const auto& item : std::filesystem::directory_iterator(folder.path / "other"))
        inOther.push_back(item.path().filename().string());
    EXPECT_EQ(inOther, std::vector<std::string>{"new.bin"}) << "nothing written beside the imported file";
}

namespace {
std::vector<LRESULT> ColumnWidths(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_FILE_LIST);
    return {SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0)};
}

// What Windows sends when the window moves to a screen of another DPI.
void ChangeDpi(HWND dialog, UINT dpi)
{
    RECT suggested;
    GetWindowRect(dialog, &suggested);
    SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();
}
}  // namespace

// The manifest declares per-monitor DPI awareness, so the columns are scaled by the program.
TEST_F(EditorTest, ColumnsFollowTheDpiOfTheScreen)
{
    CreateMainDialog();
    EXPECT_EQ(ColumnWidths(dialog), (std::vector<LRESULT>{95, 55}));
    ChangeDpi(dialog, 192);
    EXPECT_EQ(ColumnWidths(dialog), (std::vector<LRESULT>{190, 110}));
    ChangeDpi(dialog, 144);
    EXPECT_EQ(ColumnWidths(dialog), (std::vector<LRESULT>{143, 83}));
    ChangeDpi(dialog, 96);
    EXPECT_EQ(ColumnWidths(dialog), (std::vector<LRESULT>{95, 55}));
}

// Run in the wine prefix whose screen has 192 DPI (LogPixels).
using HighDpiEditorTest = EditorTest;

TEST_F(HighDpiEditorTest, ColumnsAreScaledFromTheStart)
{
    CreateMainDialog();
    ASSERT_EQ(GetDpiForWindow(dialog), 192u) << "run with TAMSEL_DPI=192";
    EXPECT_EQ(ColumnWidths(dialog), (std::vector<LRESULT>{190, 110}));
}

#include "EditorFixture.h"

#include "CommandLine.h"
#include "VivArchive.h"

void PrintTo(const SeenWindow& window, std::ostream* out)
{
    *out << "{\"" << window.caption << "\", \"" << window.text << "\"}";
}

void EditorTest::SetUp()
{
    instanceHandle = GetModuleHandleA(nullptr);
    documentState = DocumentState();
    StartAnswering();
}

void EditorTest::TearDown()
{
    DestroyMainDialog();
    StopAnswering();
    EXPECT_TRUE(TakeSeenWindows().empty()) << "windows the test did not look at";
}

void EditorTest::DestroyMainDialog()
{
    if (dialog)
        DestroyWindow(dialog);
    dialog = nullptr;
    PumpMessages();
}

void EditorTest::CreateMainDialog(const std::string& commandLine)
{
    documentState.currentPath = StartupArchivePath(commandLine.c_str());
    documentState.documentOpen = false;
    ClearTable();
    dialog = CreateDialogParamA(instanceHandle, MAKEINTRESOURCEA(IDD_MAIN_DIALOG), nullptr, MainDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    PumpMessages();
}

void EditorTest::Click(int button)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    PumpMessages();
}

std::string EditorTest::Status() const
{
    return ControlText(dialog, IDC_STATUS_FIELD);
}

std::vector<Row> EditorTest::Rows() const
{
    HWND list = GetDlgItem(dialog, IDC_FILE_LIST);
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<Row> rows;
    for (int row = 0; row < count; ++row) {
        std::string texts[2];
        for (int column = 0; column < 2; ++column) {
            char buffer[1024] = {};
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = buffer;
            item.cchTextMax = sizeof buffer;
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            texts[column] = buffer;
        }
        rows.emplace_back(texts[0], texts[1]);
    }
    return rows;
}

std::vector<int> EditorTest::SelectedRows() const
{
    HWND list = GetDlgItem(dialog, IDC_FILE_LIST);
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<int> rows;
    for (int row = 0; row < count; ++row)
        if (SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED))
            rows.push_back(row);
    return rows;
}

void EditorTest::SelectRows(const std::vector<int>& rows)
{
    HWND list = GetDlgItem(dialog, IDC_FILE_LIST);
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED;
    for (int row : rows)
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void EditorTest::OpenThroughDialog(const std::string& path)
{
    ExpectFileDialog("Open VIV file", path);
    Click(IDC_OPEN);
    ASSERT_EQ(Seen().size(), 1u);
    ASSERT_EQ(Status(), path);
}

std::string EditorTest::MakeArchive(const std::string& fileName,
                                    const std::vector<std::pair<std::string, std::string>>& members)
{
    EntryTable table;
    for (const auto& [name, content] : members)
        table.push_back(Entry(name, content));
    std::string path = folder.File(fileName);
    SaveArchive(path, table);
    return path;
}

std::vector<SeenWindow> EditorTest::Seen()
{
    EXPECT_TRUE(AllExpectedMet()) << "an expected window did not appear";
    return TakeSeenWindows();
}

std::vector<std::pair<std::string, std::string>> ArchiveMembers(const std::string& path)
{
    EntryTable table;
    LoadArchive(path, table);
    std::vector<std::pair<std::string, std::string>> members;
    for (const ArchiveEntry& entry : table)
        members.emplace_back(entry.name, std::string(entry.data.begin(), entry.data.end()));
    return members;
}

HWND RowEditControl(HWND dialog)
{
    return reinterpret_cast<HWND>(SendMessageA(GetDlgItem(dialog, IDC_FILE_LIST), LVM_GETEDITCONTROL, 0, 0));
}

void ConfirmRowEdit(HWND dialog, const std::string& text)
{
    HWND edit = RowEditControl(dialog);
    ASSERT_NE(edit, nullptr) << "no edit in progress";
    SetWindowTextA(edit, text.c_str());
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    PumpMessages();
}

void CancelRowEdit(HWND dialog)
{
    HWND edit = RowEditControl(dialog);
    ASSERT_NE(edit, nullptr) << "no edit in progress";
    SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages();
}

#include <new>
#include <string>
#include <string_view>

#include "CommandError.h"
#include "Commands.h"
#include "Document.h"
#include "Editor.h"
#include "ErrorTexts.h"
#include "Feedback.h"
#include "FileList.h"
#include "StatusTexts.h"

HINSTANCE instanceHandle = nullptr;
HWND fileListHandle = nullptr;
HICON smallIcon = nullptr;
HICON bigIcon = nullptr;

namespace {
// The words for the failure being handled; they need no memory.
std::string_view FailureText()
{
    try {
        throw;
    } catch (const CommandError& error) {
        return error.text ? std::string_view(*error.text) : std::string_view();
    } catch (const std::bad_alloc&) {
        return errorTexts::memoryCouldntBeAllocated;
    } catch (...) {
        return errorTexts::commandFailed;
    }
}

// Every command is run through here. A command handles its own CommandError and puts its state
// back on any failure (Save keeps the document under its path, Import, Remove and Export leave
// the table as it was); whatever it lets through is reported here, so that no exception leaves
// the dialog procedure and ends the program with the document. Returns the command's result,
// or resultOnFailure.
template <typename Command>
INT_PTR RunCommand(HWND dialog, INT_PTR resultOnFailure, Command command)
{
    try {
        return command();
    } catch (...) {
        std::string_view text = FailureText();
        if (!text.empty())
            ShowError(dialog, text);
        return resultOnFailure;
    }
}

HICON LoadIconOfSize(int widthMetric, int heightMetric)
{
    return static_cast<HICON>(LoadImageA(instanceHandle, MAKEINTRESOURCEA(IDI_TAMSEL), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                         LR_DEFAULTCOLOR));
}

INT_PTR InitMainDialog(HWND dialog)
{
    HMENU systemMenu = GetSystemMenu(dialog, FALSE);
    EnableMenuItem(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(systemMenu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);

    smallIcon = LoadIconOfSize(SM_CXSMICON, SM_CYSMICON);
    bigIcon = LoadIconOfSize(SM_CXICON, SM_CYICON);
    if (!smallIcon || !bigIcon) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));

    fileListHandle = GetDlgItem(dialog, IDC_FILE_LIST);
    if (fileListHandle)
        fileListHandle = CreateFileListInPlaceOf(fileListHandle);
    if (!fileListHandle) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    InitFileListColumns();
    SetDlgItemTextA(dialog, IDC_STATUS_FIELD, statusTexts::noFileOpened);
    if (!documentState.currentPath.empty())
        RunCommand(dialog, TRUE, [dialog] {
            OpenDocument(dialog, false);
            return TRUE;
        });
    return TRUE;
}

// The whole parameter is compared: only BN_CLICKED (notification 0) from the buttons counts.
INT_PTR RunButton(HWND dialog, WPARAM command)
{
    switch (command) {
    case IDC_NEW: NewDocument(dialog); break;
    case IDC_OPEN: OpenDocument(dialog, true); break;
    case IDC_SAVE: SaveDocument(dialog, false); break;
    case IDC_SAVE_AS: SaveDocument(dialog, true); break;
    case IDC_IMPORT: ImportMember(dialog); break;
    case IDC_EXPORT: ExportMembers(dialog); break;
    case IDC_RENAME: RenameMember(dialog); break;
    case IDC_REMOVE: RemoveMembers(dialog); break;
    case IDC_EXIT: EndDialog(dialog, 0); break;
    case IDC_MOVE_UP: MoveMemberUp(dialog); break;
    case IDC_MOVE_DOWN: MoveMemberDown(dialog); break;
    default: return FALSE;  // IDOK and IDCANCEL among them: Enter and Esc do nothing
    }
    return TRUE;
}

// The dialog procedure's result for a notification that has one: the list reads it from the
// message result.
INT_PTR NotificationResult(HWND dialog, LRESULT result)
{
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

// The row whose name begins with what the user typed into the list. No command runs: without
// memory for the typed text the search quietly finds nothing.
template <typename Request>
INT_PTR AnswerRowSearch(HWND dialog, const Request& request)
{
    int row = -1;
    try {
        row = FindRowByName(request);
    } catch (const std::bad_alloc&) {
    }
    return NotificationResult(dialog, row);
}

// The list holds no texts: it asks for those of the rows it shows and for the row that the
// user's typing names.
INT_PTR OnListNotification(HWND dialog, LPARAM lParam)
{
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case LVN_GETDISPINFOA:
        AnswerRowText(*reinterpret_cast<NMLVDISPINFOA*>(lParam));
        return NotificationResult(dialog, 0);
    case LVN_ODFINDITEMA:
        return AnswerRowSearch(dialog, *reinterpret_cast<const NMLVFINDITEMA*>(lParam));
    case LVN_ODFINDITEMW:
        return AnswerRowSearch(dialog, *reinterpret_cast<const NMLVFINDITEMW*>(lParam));
    case LVN_ENDLABELEDITA: {
        INT_PTR stored = RunCommand(dialog, FALSE, [=] {
            return CommitRename(dialog, *reinterpret_cast<const NMLVDISPINFOA*>(lParam));
        });
        // The message result stays 0, whatever an earlier answer left there: the list never
        // applies an edited text by itself.
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
        return stored;
    }
    default:
        return FALSE;
    }
}

void DestroyMainDialog()
{
    DestroyIcon(smallIcon);
    DestroyIcon(bigIcon);
    smallIcon = nullptr;
    bigIcon = nullptr;
    ClearTable();
    PostQuitMessage(0);
}
}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return InitMainDialog(dialog);
    case WM_COMMAND:
        return RunCommand(dialog, TRUE, [=] { return RunButton(dialog, wParam); });
    case WM_NOTIFY:
        return OnListNotification(dialog, lParam);
    case WM_NOTIFYFORMAT:
        return NotificationResult(dialog, NFR_ANSI);
    case WM_DPICHANGED:
        // The dialog manager moves and scales the dialog itself (FALSE: its default handling).
        ScaleFileListColumns(LOWORD(wParam));
        return FALSE;
    case restartRowEditMessage:
        if (documentState.documentOpen && wParam < documentState.table.size())
            BeginRowEdit(static_cast<int>(wParam));
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    case WM_DESTROY:
        DestroyMainDialog();
        return TRUE;
    default:
        return FALSE;
    }
}

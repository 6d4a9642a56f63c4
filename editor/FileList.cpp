#include "FileList.h"

#include <algorithm>
#include <cstring>

#include "Dpi.h"
#include "Names.h"

namespace {
// Windows' name for a prefix search beside LVFI_PARTIAL; MinGW's headers lack it.
constexpr UINT findSubstring = 0x0004;

LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(fileListHandle, message, wParam, lParam);
}

const EntryTable& Table()
{
    return documentState.table;
}

int NextSelectedListRow(int after)
{
    return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(after), LVNI_SELECTED));
}

// No row selected and none focused, as in a list whose rows were all deleted. Only the
// selected rows are visited: a change of every row at once (index -1) makes wine's list visit
// each of them, a tenth of a second for 100,000 rows.
void ResetRowStates()
{
    for (int row = NextSelectedListRow(-1); row != -1; row = NextSelectedListRow(row))
        SetRowSelected(row, false);
    int focused = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused != -1) {
        LVITEMA item = {};
        item.stateMask = LVIS_FOCUSED;
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(focused), reinterpret_cast<LPARAM>(&item));
    }
}

void SetRowCount(std::size_t count, LPARAM flags)
{
    Send(LVM_SETITEMCOUNT, count, flags);
    InvalidateRect(fileListHandle, nullptr, TRUE);
}

void RedrawRow(int row)
{
    Send(LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

// The list's buffer may be shorter than the text: it gets what fits, always ended by a NUL.
void CopyInto(LVITEMA& item, const std::string& text)
{
    if (item.pszText == nullptr || item.cchTextMax <= 0)
        return;
    std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
    std::memcpy(item.pszText, text.data(), length);
    item.pszText[length] = '\0';
}

bool NameMatches(const std::string& name, const std::string& typed, bool wholeName)
{
    if (name.size() < typed.size() || (wholeName && name.size() != typed.size()))
        return false;
    // As the list compares its own texts: in the user's locale, letter case ignored.
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.data(), static_cast<int>(typed.size()),
                          typed.data(), static_cast<int>(typed.size())) == CSTR_EQUAL;
}

// From start to the end, then with wrapping from the first row up to start.
int FindRow(const std::string& typed, UINT flags, int start)
{
    if ((flags & (LVFI_STRING | LVFI_PARTIAL | findSubstring)) == 0)
        return -1;  // by item data or position: the rows have neither
    bool wholeName = (flags & (LVFI_PARTIAL | findSubstring)) == 0;
    int count = static_cast<int>(Table().size());
    if (start < 0 || start >= count)
        start = 0;
    for (int row = start; row < count; ++row)
        if (NameMatches(Table()[static_cast<std::size_t>(row)].name, typed, wholeName))
            return row;
    if (flags & LVFI_WRAP)
        for (int row = 0; row < start; ++row)
            if (NameMatches(Table()[static_cast<std::size_t>(row)].name, typed, wholeName))
                return row;
    return -1;
}
}  // namespace

HWND CreateFileListInPlaceOf(HWND templateList)
{
    HWND dialog = GetParent(templateList);
    RECT box;
    GetWindowRect(templateList, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    char text[64] = {};
    GetWindowTextA(templateList, text, sizeof text);
    // Owner data cannot be switched on after creation: the control is made anew with it.
    DWORD style = static_cast<DWORD>(GetWindowLongA(templateList, GWL_STYLE)) | LVS_OWNERDATA;
    DWORD extendedStyle = static_cast<DWORD>(GetWindowLongA(templateList, GWL_EXSTYLE));
    HWND list = CreateWindowExA(extendedStyle, WC_LISTVIEWA, text, style, box.left, box.top, box.right - box.left,
                                box.bottom - box.top, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(templateList))),
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(templateList, GWLP_HINSTANCE)), nullptr);
    if (!list)
        return nullptr;
    SendMessageA(list, WM_SETFONT, static_cast<WPARAM>(SendMessageA(templateList, WM_GETFONT, 0, 0)), FALSE);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, SendMessageA(templateList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    // Notifications in their ANSI forms, whatever the list decided from its parent's answer.
    SendMessageA(list, LVM_SETUNICODEFORMAT, FALSE, 0);
    // Right behind the template's list in the z-order, which is the tab order.
    SetWindowPos(list, templateList, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(templateList);
    return list;
}

// The widths of the name and size columns in pixels at 96 DPI.
constexpr int columnWidthsAt96Dpi[2] = {95, 55};

void InitFileListColumns()
{
    UINT dpi = WindowDpi(fileListHandle);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = ScaledToDpi(columnWidthsAt96Dpi[0], dpi);
    column.pszText = const_cast<char*>("File name");
    column.iSubItem = 0;
    Send(LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    column.fmt = LVCFMT_RIGHT;
    column.cx = ScaledToDpi(columnWidthsAt96Dpi[1], dpi);
    column.pszText = const_cast<char*>("File size");
    column.iSubItem = 1;
    Send(LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
}

void ScaleFileListColumns(UINT dpi)
{
    for (int i = 0; i < 2; ++i)
        Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(ScaledToDpi(columnWidthsAt96Dpi[i], dpi), 0));
}

void ClearFileList()
{
    ResetRowStates();
    SetRowCount(0, 0);
}

void FillFileList()
{
    SetRowCount(Table().size(), 0);
}

void RefreshFileList()
{
    ResetRowStates();
    SetRowCount(Table().size(), LVSICF_NOSCROLL);
}

void SetRowTexts(int row, const ArchiveEntry&)
{
    RedrawRow(row);
}

void SetRowName(int row, const std::string&)
{
    RedrawRow(row);
}

std::uint32_t CountSelectedRows()
{
    return static_cast<std::uint32_t>(Send(LVM_GETSELECTEDCOUNT, 0, 0));
}

int NextSelectedRow(int after)
{
    int row = NextSelectedListRow(after);
    // Rows beyond the table (none while a document is open) are never handed out.
    return row >= 0 && static_cast<std::size_t>(row) < Table().size() ? row : -1;
}

void SetRowSelected(int row, bool selected)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void BeginRowEdit(int row)
{
    // The list begins an edit only while it has the focus.
    SetFocus(fileListHandle);
    Send(LVM_EDITLABELA, static_cast<WPARAM>(row), 0);
}

void ScrollRowIntoView(int row)
{
    Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void AnswerRowText(NMLVDISPINFOA& request)
{
    LVITEMA& item = request.item;
    // The rows have neither image nor indent; whatever is asked is answered.
    if (item.mask & LVIF_IMAGE)
        item.iImage = I_IMAGENONE;
    if (item.mask & LVIF_INDENT)
        item.iIndent = 0;
    if ((item.mask & LVIF_TEXT) == 0)
        return;
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= Table().size()) {
        CopyInto(item, "");
        return;
    }
    const ArchiveEntry& entry = Table()[static_cast<std::size_t>(item.iItem)];
    if (item.iSubItem == 0)
        CopyInto(item, entry.name);
    else if (item.iSubItem == 1)
        CopyInto(item, FormatDecimal(entry.size()));
    else
        CopyInto(item, "");
}

int FindRowByName(const NMLVFINDITEMA& request)
{
    if ((request.lvfi.flags & LVFI_PARAM) || request.lvfi.psz == nullptr)
        return -1;
    return FindRow(request.lvfi.psz, request.lvfi.flags, request.iStart);
}

// The list may ask in the wide form whatever its format (wine does for the keyboard search).
int FindRowByName(const NMLVFINDITEMW& request)
{
    if ((request.lvfi.flags & LVFI_PARAM) || request.lvfi.psz == nullptr)
        return -1;
    int length = WideCharToMultiByte(CP_ACP, 0, request.lvfi.psz, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return -1;
    std::string typed(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, request.lvfi.psz, -1, typed.data(), length, nullptr, nullptr);
    typed.resize(static_cast<std::size_t>(length) - 1);
    return FindRow(typed, request.lvfi.flags, request.iStart);
}

#include "FileList.h"

#include "Dpi.h"
#include "Names.h"

namespace {
LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(fileListHandle, message, wParam, lParam);
}

void SetItemText(int row, int column, const std::string& text)
{
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// Redrawing is frozen while rows change in bulk: row by row, a hundred thousand rows take
// half a minute.
void FreezeRedraw(bool frozen)
{
    Send(WM_SETREDRAW, frozen ? FALSE : TRUE, 0);
    if (!frozen)
        InvalidateRect(fileListHandle, nullptr, TRUE);
}
}  // namespace

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
    FreezeRedraw(true);
    Send(LVM_DELETEALLITEMS, 0, 0);
    FreezeRedraw(false);
}

void FillFileList()
{
    const EntryTable& table = documentState.table;
    FreezeRedraw(true);
    Send(LVM_SETITEMCOUNT, table.size(), 0);
    for (std::size_t i = 0; i < table.size(); ++i) {
        int row = static_cast<int>(i);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = 0;
        item.pszText = const_cast<char*>(table[i].name.c_str());
        Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        SetItemText(row, 1, FormatDecimal(table[i].size()));
    }
    FreezeRedraw(false);
}

void RefreshFileList()
{
    ClearFileList();
    FillFileList();
}

void SetRowTexts(int row, const ArchiveEntry& entry)
{
    SetItemText(row, 0, entry.name);
    SetItemText(row, 1, FormatDecimal(entry.size()));
}

void SetRowName(int row, const std::string& name)
{
    SetItemText(row, 0, name);
}

std::uint32_t CountSelectedRows()
{
    return static_cast<std::uint32_t>(Send(LVM_GETSELECTEDCOUNT, 0, 0));
}

bool IsRowSelected(int row)
{
    return Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0;
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

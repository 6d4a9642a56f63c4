#include <new>
#include <utility>
#include <vector>

#include "Commands.h"
#include "Document.h"
#include "ErrorTexts.h"
#include "Feedback.h"
#include "FileList.h"
#include "Names.h"

namespace {
int RowCount()
{
    return static_cast<int>(documentState.table.size());
}

// Calls act on the first selected row and leaves only targetRow(first) selected.
template <typename Act>
void ActOnFirstSelectedRow(int defaultTarget, Act act)
{
    int target = defaultTarget;
    bool first = true;
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row)) {
        if (first)
            target = act(row, target);
        SetRowSelected(row, false);
        first = false;
    }
    SetRowSelected(target, true);
}

void SwapWithNeighbour(int row, int neighbour)
{
    EntryTable& table = documentState.table;
    std::swap(table[static_cast<std::size_t>(row)], table[static_cast<std::size_t>(neighbour)]);
    SetRowTexts(row, table[static_cast<std::size_t>(row)]);
    SetRowTexts(neighbour, table[static_cast<std::size_t>(neighbour)]);
    ScrollRowIntoView(neighbour);
}
}  // namespace

bool ReadyForSelectedRows(HWND dialog)
{
    if (!documentState.documentOpen)
        return false;
    if (CountSelectedRows() == 0) {
        ShowError(dialog, errorTexts::noFileSelected);
        return false;
    }
    return true;
}

void RenameMember(HWND dialog)
{
    if (!ReadyForSelectedRows(dialog))
        return;
    ActOnFirstSelectedRow(0, [](int row, int) {
        BeginRowEdit(row);
        return row;
    });
}

BOOL CommitRename(HWND dialog, const NMLVDISPINFOA& edit)
{
    if (!documentState.documentOpen || edit.item.pszText == nullptr)
        return FALSE;
    std::string newName = edit.item.pszText;
    int editedRow = edit.item.iItem;
    if (newName.empty() || editedRow < 0 || editedRow >= RowCount())
        return FALSE;
    EntryTable& table = documentState.table;
    for (int i = 0; i < RowCount(); ++i) {
        if (i != editedRow && NamesEqual(table[static_cast<std::size_t>(i)].name, newName)) {
            ShowError(dialog, errorTexts::fileNameAlreadyExists);
            // The list will not begin an edit while it is still ending this one.
            PostMessageA(dialog, restartRowEditMessage, static_cast<WPARAM>(editedRow), 0);
            return FALSE;
        }
    }
    table[static_cast<std::size_t>(editedRow)].name = std::move(newName);
    SetRowName(editedRow, table[static_cast<std::size_t>(editedRow)].name);
    return TRUE;
}

// Compacts the table in place: no allocation can fail half-way, so the document survives.
void RemoveMembers(HWND dialog)
{
    if (!ReadyForSelectedRows(dialog))
        return;
    std::vector<bool> selected;
    try {
        selected.resize(documentState.table.size());
    } catch (const std::bad_alloc&) {
        ShowError(dialog, errorTexts::memoryCouldntBeAllocated);
        return;
    }
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row))
        selected[static_cast<std::size_t>(row)] = true;
    EntryTable& table = documentState.table;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (selected[i])
            continue;
        if (kept != i)
            table[kept] = std::move(table[i]);
        ++kept;
    }
    table.erase(table.begin() + static_cast<std::ptrdiff_t>(kept), table.end());
    RefreshFileList();
}

void MoveMemberUp(HWND dialog)
{
    if (!ReadyForSelectedRows(dialog))
        return;
    ActOnFirstSelectedRow(0, [](int row, int target) {
        if (row == 0)
            return target;
        SwapWithNeighbour(row, row - 1);
        return row - 1;
    });
}

void MoveMemberDown(HWND dialog)
{
    if (!ReadyForSelectedRows(dialog))
        return;
    ActOnFirstSelectedRow(RowCount() - 1, [](int row, int target) {
        if (row + 1 >= RowCount())
            return target;
        SwapWithNeighbour(row, row + 1);
        return row + 1;
    });
}

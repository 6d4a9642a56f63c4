#pragma once

#include <cstdint>
#include <string>

#include "Document.h"
#include "Editor.h"

// The list is virtual: it holds no texts, only the number of rows, the selected rows and the
// focused one; it asks for the texts of the rows it shows (AnswerRowText). Row r of the list
// shows entry r of the table while a document is open.

// Puts a virtual list in the place of the template's list and returns it (null on failure,
// the template's list then left as it was).
HWND CreateFileListInPlaceOf(HWND templateList);

// Column widths follow the window's DPI: set for it at the start, scaled again for a new one.
void InitFileListColumns();
void ScaleFileListColumns(UINT dpi);
void ClearFileList();
void FillFileList();
// The rows after entries were added or removed: none selected, the scroll position kept.
void RefreshFileList();
void SetRowTexts(int row, const ArchiveEntry& entry);
void SetRowName(int row, const std::string& name);
std::uint32_t CountSelectedRows();
// The first selected row after the given one (-1: from the first row), or -1 when there is
// none. A walk over the selected rows in this way costs the same whatever the number of rows;
// one question per row would take a tenth of a second for 100,000 rows.
int NextSelectedRow(int after);
void SetRowSelected(int row, bool selected);
void BeginRowEdit(int row);
void ScrollRowIntoView(int row);

// The list's requests, from its notifications: a row's text, and the row whose name begins
// with the typed text (-1 for none).
void AnswerRowText(NMLVDISPINFOA& request);
int FindRowByName(const NMLVFINDITEMA& request);
int FindRowByName(const NMLVFINDITEMW& request);

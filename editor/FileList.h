#pragma once

#include <cstdint>
#include <string>

#include "Document.h"
#include "Editor.h"

// Row r of the list shows entry r of the table while a document is open.
// Column widths follow the window's DPI: set for it at the start, scaled again for a new one.
void InitFileListColumns();
void ScaleFileListColumns(UINT dpi);
void ClearFileList();
void FillFileList();
void RefreshFileList();
void SetRowTexts(int row, const ArchiveEntry& entry);
void SetRowName(int row, const std::string& name);
std::uint32_t CountSelectedRows();
bool IsRowSelected(int row);
void SetRowSelected(int row, bool selected);
void BeginRowEdit(int row);

#pragma once

#include <string>

#include "Editor.h"

#include <commdlg.h>

// The editor's four file dialogs.
enum class FileDialog { openArchive, saveArchive, importFile, exportFile };

// The request for one of them, filled here alone so that all four keep the platform's
// contract (wine enforces none of it, Windows does):
// - lStructSize OPENFILENAME_SIZE_VERSION_400A: the record without the fields Windows 2000
//   added, 136 bytes in a 64-bit program (76 in a 32-bit one); the dialog fails with a size
//   that matches neither that nor the whole record;
// - the owner, instanceHandle, one filter, the caller's buffer and its size, the title;
// - OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, and OFN_FILEMUSTEXIST only for the open dialogs: on
//   a save dialog it would allow nothing but files that exist.
OPENFILENAMEA FileDialogRequest(HWND owner, FileDialog dialog, char* buffer, DWORD bufferSize);

// Shows the dialog with path as its default file name; on OK path becomes the chosen path.
// False when the user cancelled or the dialog failed; path is then unchanged.
bool AskForPath(HWND owner, FileDialog dialog, std::string& path);

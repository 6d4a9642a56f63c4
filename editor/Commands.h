#pragma once

#include "Editor.h"

// The commands behind the dialog's buttons; each takes the dialog window and reports to the
// user itself.
// The preconditions of the commands on selected rows: false, and nothing happens, while no
// document is open; false after "No file selected." when no row is selected.
bool ReadyForSelectedRows(HWND dialog);

void NewDocument(HWND dialog);
void OpenDocument(HWND dialog, bool askForPath);
void SaveDocument(HWND dialog, bool askForPath);
void ImportMember(HWND dialog);
void ExportMembers(HWND dialog);
void RenameMember(HWND dialog);
BOOL CommitRename(HWND dialog, const NMLVDISPINFOA& edit);
void RemoveMembers(HWND dialog);
void MoveMemberUp(HWND dialog);
void MoveMemberDown(HWND dialog);

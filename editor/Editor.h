#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <commctrl.h>

#include "ResourceIds.h"

// Process-wide handles of the one dialog.
extern HINSTANCE instanceHandle;
extern HWND fileListHandle;
extern HICON smallIcon;
extern HICON bigIcon;

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Posted to the dialog to begin an in-place edit of row wParam once the list has finished
// handling the end of the previous one.
constexpr UINT restartRowEditMessage = WM_APP + 1;

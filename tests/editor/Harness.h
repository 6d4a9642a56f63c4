#pragma once

// Drives the real main dialog on the real platform: buttons are pressed with WM_COMMAND, and
// the modal file dialogs and message boxes a command opens are found among the thread's
// windows by a thread timer (it keeps firing inside their modal loops) and answered there.

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

// What the harness saw of one modal window it answered.
struct SeenWindow {
    std::string caption;
    std::string text;  // a message box's text, or a file dialog's file name as it opened
    bool operator==(const SeenWindow&) const = default;
};

// One modal window that the next command is expected to open, and how to answer it.
struct Expected {
    std::string caption;
    std::function<void(HWND)> answer;
};

void ExpectWindow(const std::string& caption, std::function<void(HWND)> answer);
// A message box with this caption, answered with the given button.
void ExpectMessageBox(const std::string& caption, int button = IDOK);
// A file dialog with this title; an empty path cancels it.
void ExpectFileDialog(const std::string& title, const std::string& path);
// Types the path into an open file dialog and presses its OK button; an empty path cancels it.
void AnswerFileDialog(HWND fileDialog, const std::string& path);
// A file dialog with this title, answered as a user browses: into folder, then name there.
void ExpectFileDialogBrowsing(const std::string& title, const std::string& folder, const std::string& name);

// Everything the harness met since the last call, in order; unexpected windows are closed
// and listed with the caption prefixed by "unexpected: ".
std::vector<SeenWindow> TakeSeenWindows();
// True when every expected window was met.
bool AllExpectedMet();

void StartAnswering();
void StopAnswering();

// Handles every message that is waiting, and those that arrive within the given time.
void PumpMessages(DWORD milliseconds = 0);

// Reading the dialog.
std::string ControlText(HWND dialog, int id);
std::string DialogFileName(HWND fileDialog);
std::string WindowTextOf(HWND window);

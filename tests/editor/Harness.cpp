#include "Harness.h"

#include <dlgs.h>

#include <deque>

namespace {
std::deque<Expected> expected;
std::vector<SeenWindow> seen;
UINT_PTR timer = 0;
bool answering = false;
HWND lastAnswered = nullptr;
DWORD answeredAt = 0;
constexpr DWORD stuckAfter = 3000;  // a window still open this long after its answer is stuck

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

const char mainCaption[] = "Tamsel";

BOOL CALLBACK CollectModal(HWND window, LPARAM list)
{
    // The main dialog is disabled while a modal window it owns is open; that window is enabled.
    // The main dialog itself counts only when a test waits for it.
    if (ClassOf(window) != "#32770" || !IsWindowVisible(window) || !IsWindowEnabled(window))
        return TRUE;
    if (WindowTextOf(window) == mainCaption && (expected.empty() || expected.front().caption != mainCaption))
        return TRUE;
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// A message box keeps its text in a static control with id 0xFFFF.
std::string MessageText(HWND box)
{
    return ControlText(box, 0xFFFF);
}

bool IsMessageBox(HWND window)
{
    return GetDlgItem(window, 0xFFFF) != nullptr;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (answering)
        return;
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectModal, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        if (window == lastAnswered && GetTickCount() - answeredAt < stuckAfter)
            continue;  // its answer is still on its way
        answering = true;
        if (window == lastAnswered) {
            seen.push_back(SeenWindow{"stuck: " + WindowTextOf(window), ""});
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            answeredAt = GetTickCount();
            answering = false;
            return;
        }
        lastAnswered = window;
        answeredAt = GetTickCount();
        SeenWindow record{WindowTextOf(window), IsMessageBox(window) ? MessageText(window) : DialogFileName(window)};
        if (!expected.empty() && expected.front().caption == record.caption) {
            Expected next = std::move(expected.front());
            expected.pop_front();
            seen.push_back(record);
            next.answer(window);
        } else {
            record.caption = "unexpected: " + record.caption;
            seen.push_back(record);
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        }
        answering = false;
        return;
    }
}
}  // namespace

void ExpectWindow(const std::string& caption, std::function<void(HWND)> answer)
{
    expected.push_back(Expected{caption, std::move(answer)});
}

void ExpectMessageBox(const std::string& caption, int button)
{
    ExpectWindow(caption, [button](HWND box) { PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0); });
}

namespace {
void SetFileNameField(HWND dialog, const std::string& text)
{
    // The file name field is an edit (edt1) or, in newer layouts, a combo box (cmb13).
    if (!SetDlgItemTextA(dialog, edt1, text.c_str()))
        SetDlgItemTextA(dialog, cmb13, text.c_str());
}
}  // namespace

void ExpectFileDialog(const std::string& title, const std::string& path)
{
    ExpectWindow(title, [path](HWND dialog) { AnswerFileDialog(dialog, path); });
}

void AnswerFileDialog(HWND fileDialog, const std::string& path)
{
    if (path.empty()) {
        PostMessageA(fileDialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    SetFileNameField(fileDialog, path);
    PostMessageA(fileDialog, WM_COMMAND, IDOK, 0);
}

void ExpectFileDialogBrowsing(const std::string& title, const std::string& folder, const std::string& name)
{
    ExpectWindow(title, [folder, name](HWND dialog) {
        SetFileNameField(dialog, folder);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);  // a folder's name opens the folder
        SetFileNameField(dialog, name);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
}

std::vector<SeenWindow> TakeSeenWindows()
{
    std::vector<SeenWindow> result;
    result.swap(seen);
    return result;
}

bool AllExpectedMet()
{
    bool met = expected.empty();
    expected.clear();
    return met;
}

void StartAnswering()
{
    expected.clear();
    seen.clear();
    lastAnswered = nullptr;
    timer = SetTimer(nullptr, 0, 20, OnTimer);
}

void StopAnswering()
{
    KillTimer(nullptr, timer);
    timer = 0;
}

void PumpMessages(DWORD milliseconds)
{
    DWORD until = GetTickCount() + milliseconds;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;  // the dialog posts it when destroyed; it must not end later loops
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (static_cast<LONG>(GetTickCount() - until) >= 0)
            return;
        Sleep(5);
    }
}

std::string ControlText(HWND dialog, int id)
{
    return WindowTextOf(GetDlgItem(dialog, id));
}

std::string WindowTextOf(HWND window)
{
    if (!window)
        return "";
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

std::string DialogFileName(HWND fileDialog)
{
    HWND field = GetDlgItem(fileDialog, edt1);
    if (!field)
        field = GetDlgItem(fileDialog, cmb13);
    return WindowTextOf(field);
}

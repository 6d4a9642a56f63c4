#include "Feedback.h"

void ShowStatus(HWND dialog, const std::string& text)
{
    SetDlgItemTextA(dialog, IDC_STATUS_FIELD, text.c_str());
    // A long path shows its end, the file name, rather than its start.
    auto end = static_cast<WPARAM>(text.size());
    SendDlgItemMessageA(dialog, IDC_STATUS_FIELD, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendDlgItemMessageA(dialog, IDC_STATUS_FIELD, EM_SCROLLCARET, 0, 0);
    UpdateWindow(dialog);
}

void ShowError(HWND dialog, std::string_view text)
{
    MessageBoxA(dialog, std::string(text).c_str(), "Error", MB_ICONERROR | MB_OK);
}

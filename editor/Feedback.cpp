#include "Feedback.h"

#include <cstring>
#include <string>

namespace {
// Calls use with text ended by a NUL; a text that fits takes a buffer on the stack.
template <typename Use>
void WithTerminatedText(std::string_view text, Use use)
{
    char buffer[1024];
    if (text.size() < sizeof buffer) {
        std::memcpy(buffer, text.data(), text.size());
        buffer[text.size()] = '\0';
        use(buffer);
    } else {
        use(std::string(text).c_str());
    }
}
}  // namespace

void ShowStatus(HWND dialog, std::string_view text)
{
    WithTerminatedText(text, [dialog](const char* terminated) { SetDlgItemTextA(dialog, IDC_STATUS_FIELD, terminated); });
    // A long path shows its end, the file name, rather than its start.
    auto end = static_cast<WPARAM>(text.size());
    SendDlgItemMessageA(dialog, IDC_STATUS_FIELD, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendDlgItemMessageA(dialog, IDC_STATUS_FIELD, EM_SCROLLCARET, 0, 0);
    UpdateWindow(dialog);
}

void ShowError(HWND dialog, std::string_view text)
{
    WithTerminatedText(text, [dialog](const char* terminated) {
        MessageBoxA(dialog, terminated, "Error", MB_ICONERROR | MB_OK);
    });
}

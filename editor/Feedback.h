#pragma once

#include <string>
#include <string_view>

#include "Editor.h"

// What a command tells the user: a text in the status field, set and painted at once since the
// command keeps the thread busy afterwards; and an error box owned by the dialog.
void ShowStatus(HWND dialog, const std::string& text);
void ShowError(HWND dialog, std::string_view text);

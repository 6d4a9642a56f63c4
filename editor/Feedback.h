#pragma once

#include <string_view>

#include "Editor.h"

// What a command tells the user: a text in the status field, set and painted at once since the
// command keeps the thread busy afterwards; and an error box owned by the dialog. Neither needs
// memory for a text of up to a path's length, so a failure can always be reported.
void ShowStatus(HWND dialog, std::string_view text);
void ShowError(HWND dialog, std::string_view text);

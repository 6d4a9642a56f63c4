#pragma once

#include <string>

#include "Editor.h"

enum class FileDialogKind { open, save };

inline constexpr char vivFilesFilter[] = "VIV files (*.viv)\0*.viv\0";
inline constexpr char allFilesFilter[] = "All files (*.*)\0*.*\0";

// Shows the common file dialog with path as its default file name; on OK path becomes the
// chosen path. False when the user cancelled or the dialog failed; path is then unchanged.
bool AskForPath(HWND owner, FileDialogKind kind, const char* title, const char* filter, std::string& path);

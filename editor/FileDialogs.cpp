#include "FileDialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>

bool AskForPath(HWND owner, FileDialogKind kind, const char* title, const char* filter, std::string& path)
{
    char buffer[MAX_PATH] = {};
    std::memcpy(buffer, path.data(), std::min(path.size(), sizeof buffer - 1));

    OPENFILENAMEA request = {};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // the 64-bit size of the old record
    request.hwndOwner = owner;
    request.hInstance = instanceHandle;
    request.lpstrFilter = filter;
    request.nFilterIndex = 0;
    request.lpstrFile = buffer;
    request.nMaxFile = sizeof buffer;
    request.lpstrTitle = title;
    request.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;

    BOOL chosen = kind == FileDialogKind::open ? GetOpenFileNameA(&request) : GetSaveFileNameA(&request);
    if (!chosen)
        return false;
    path = buffer;
    return true;
}

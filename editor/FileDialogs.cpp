#include "FileDialogs.h"

#include <cstring>

#include "Characters.h"

namespace {
struct DialogShape {
    const char* title;
    const char* filter;  // pairs of description and pattern, each ended by a NUL; one more NUL ends it
    bool saves;
};

constexpr char vivFilesFilter[] = "VIV files (*.viv)\0*.viv\0";
constexpr char allFilesFilter[] = "All files (*.*)\0*.*\0";

constexpr DialogShape shapes[] = {
    {"Open VIV file", vivFilesFilter, false},
    {"Save VIV file", vivFilesFilter, true},
    {"Import file", allFilesFilter, false},
    {"Export file", allFilesFilter, true},
};
}  // namespace

OPENFILENAMEA FileDialogRequest(HWND owner, FileDialog dialog, char* buffer, DWORD bufferSize)
{
    const DialogShape& shape = shapes[static_cast<int>(dialog)];
    OPENFILENAMEA request = {};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = owner;
    request.hInstance = instanceHandle;
    request.lpstrFilter = shape.filter;
    request.nFilterIndex = 0;
    request.lpstrFile = buffer;
    request.nMaxFile = bufferSize;
    request.lpstrTitle = shape.title;
    request.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | (shape.saves ? 0 : OFN_FILEMUSTEXIST);
    return request;
}

bool AskForPath(HWND owner, FileDialog dialog, std::string& path)
{
    char buffer[MAX_PATH] = {};
    std::memcpy(buffer, path.data(), WholeCharactersWithin(path, sizeof buffer - 1));
    OPENFILENAMEA request = FileDialogRequest(owner, dialog, buffer, sizeof buffer);
    BOOL chosen = shapes[static_cast<int>(dialog)].saves ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request);
    if (!chosen)
        return false;
    path = buffer;
    return true;
}

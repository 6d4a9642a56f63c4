#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "FileDialogs.h"

namespace {
// A filter list as the dialog reads it: up to and with the NUL that ends the list.
std::string FilterList(const char* filter)
{
    std::size_t length = 0;
    while (filter[length] != '\0' || filter[length + 1] != '\0')
        ++length;
    return std::string(filter, length + 2);
}
}  // namespace

// Wine ignores a wrong record size and OFN_FILEMUSTEXIST on a save dialog; Windows does not,
// so every field of the four requests is checked here.
TEST(FileDialogRequest, FillsEveryFieldOfTheFourDialogs)
{
    instanceHandle = GetModuleHandleA(nullptr);
    HWND owner = GetDesktopWindow();
    const std::string vivFiles("VIV files (*.viv)\0*.viv\0\0", 25);
    const std::string allFiles("All files (*.*)\0*.*\0\0", 21);
    const struct {
        FileDialog dialog;
        std::string title;
        std::string filter;
        DWORD flags;
    } cases[] = {
        {FileDialog::openArchive, "Open VIV file", vivFiles, 0x1804},
        {FileDialog::saveArchive, "Save VIV file", vivFiles, 0x0804},
        {FileDialog::importFile, "Import file", allFiles, 0x1804},
        {FileDialog::exportFile, "Export file", allFiles, 0x0804},
    };
    // The record without the fields Windows 2000 added, as the 64-bit platform takes it.
    const DWORD oldRecordSize = sizeof(void*) == 8 ? 136 : 76;
    EXPECT_EQ(offsetof(OPENFILENAMEA, pvReserved), oldRecordSize);

    for (const auto& c : cases) {
        char buffer[MAX_PATH] = {};
        OPENFILENAMEA request = FileDialogRequest(owner, c.dialog, buffer, sizeof buffer);
        SCOPED_TRACE(c.title);
        EXPECT_EQ(request.lStructSize, oldRecordSize);
        EXPECT_EQ(request.hwndOwner, owner);
        EXPECT_EQ(request.hInstance, instanceHandle);
        ASSERT_NE(request.lpstrFilter, nullptr);
        EXPECT_EQ(FilterList(request.lpstrFilter), c.filter);
        EXPECT_EQ(request.lpstrCustomFilter, nullptr);
        EXPECT_EQ(request.nMaxCustFilter, 0u);
        EXPECT_EQ(request.nFilterIndex, 0u);
        EXPECT_EQ(request.lpstrFile, buffer);
        EXPECT_EQ(request.nMaxFile, static_cast<DWORD>(MAX_PATH));
        EXPECT_EQ(request.lpstrFileTitle, nullptr);
        EXPECT_EQ(request.nMaxFileTitle, 0u);
        EXPECT_EQ(request.lpstrInitialDir, nullptr);
        ASSERT_NE(request.lpstrTitle, nullptr);
        EXPECT_EQ(std::string(request.lpstrTitle), c.title);
        EXPECT_EQ(request.Flags, c.flags);
        EXPECT_EQ(request.nFileOffset, 0);
        EXPECT_EQ(request.nFileExtension, 0);
        EXPECT_EQ(request.lpstrDefExt, nullptr);
        EXPECT_EQ(request.lCustData, 0);
        EXPECT_EQ(request.lpfnHook, nullptr);
        EXPECT_EQ(request.lpTemplateName, nullptr);
        EXPECT_EQ(request.pvReserved, nullptr);
        EXPECT_EQ(request.dwReserved, 0u);
        EXPECT_EQ(request.FlagsEx, 0u);
    }
}

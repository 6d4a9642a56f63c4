#include <new>

#include "CommandError.h"
#include "Commands.h"
#include "Document.h"
#include "Feedback.h"
#include "FileDialogs.h"
#include "FileList.h"
#include "MemberFile.h"
#include "MemberNames.h"
#include "Names.h"
#include "SafeFile.h"
#include "StatusTexts.h"

namespace {
std::string ReplacePromptText(const ArchiveEntry& existing, const ArchiveEntry& incoming)
{
    return "Replace file:\n   " + existing.name + " (" + FormatDecimal(existing.size()) + " bytes)\n" +
           "with file:\n   " + incoming.name + " (" + FormatDecimal(incoming.size()) + " bytes)\n";
}

// Puts the imported entry in the place of the first member of its name, if the user agrees,
// or at the end, and returns its index. The table is unchanged on every failure.
std::size_t PlaceImportedEntry(HWND dialog, ArchiveEntry&& entry)
{
    EntryTable& table = documentState.table;
    for (std::size_t i = 0; i < table.size(); ++i) {
        ArchiveEntry& existing = table[i];
        if (!NamesEqual(existing.name, entry.name))
            continue;
        int answer = MessageBoxA(dialog, ReplacePromptText(existing, entry).c_str(), "Replace file",
                                 MB_ICONWARNING | MB_OKCANCEL);
        if (answer != IDOK)
            throw CommandError{};
        existing = std::move(entry);
        return i;
    }
    try {
        table.push_back(std::move(entry));
    } catch (const std::bad_alloc&) {
        throw ErrorText(errorTexts::memoryCouldntBeAllocated);
    }
    return table.size() - 1;
}
}  // namespace

void ImportMember(HWND dialog)
{
    if (!documentState.documentOpen)
        return;
    std::string path;
    if (!AskForPath(dialog, FileDialog::importFile, path))
        return;
    ShowStatus(dialog, statusTexts::importing);
    try {
        ArchiveEntry entry;
        entry.name = MemberNameFromPath(path);
        entry.data = ReadMemberFile(path);
        std::size_t placed = PlaceImportedEntry(dialog, std::move(entry));
        RefreshFileList();
        ScrollRowIntoView(static_cast<int>(placed));
        ShowStatus(dialog, documentState.currentPath);
    } catch (const CommandError& error) {
        ShowStatus(dialog, documentState.currentPath);
        if (error.text)
            ShowError(dialog, *error.text);
    } catch (const std::bad_alloc&) {
        ShowStatus(dialog, documentState.currentPath);
        ShowError(dialog, errorTexts::memoryCouldntBeAllocated);
    }
}

// Each selected member goes to a file of the user's choice, through the safe writer: a file
// that cannot be written keeps its old content and its row stays selected.
void ExportMembers(HWND dialog)
{
    if (!ReadyForSelectedRows(dialog))
        return;
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row)) {
        const ArchiveEntry& entry = documentState.table[static_cast<std::size_t>(row)];
        std::string path = ExportFileName(entry.name, MAX_PATH - 1);
        if (!AskForPath(dialog, FileDialog::exportFile, path))
            continue;
        ShowStatus(dialog, statusTexts::exporting);
        try {
            WriteFileSafely(path, entry.data.data(), entry.data.size());
            ShowStatus(dialog, documentState.currentPath);
            SetRowSelected(row, false);
        } catch (const CommandError& error) {
            ShowStatus(dialog, documentState.currentPath);
            ShowError(dialog, error.text.value_or(""));
        }
    }
}

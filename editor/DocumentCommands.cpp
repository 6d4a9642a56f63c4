#include "CommandError.h"
#include "Commands.h"
#include "Document.h"
#include "Feedback.h"
#include "FileDialogs.h"
#include "FileList.h"
#include "StatusTexts.h"
#include "VivArchive.h"

namespace {
// The path a document command works on: asked for, or the current one. False ends the command
// with nothing changed.
bool ChoosePath(HWND dialog, bool askForPath, FileDialog fileDialog, std::string& path)
{
    if (askForPath)
        return AskForPath(dialog, fileDialog, path);
    path = documentState.currentPath;
    return !path.empty();
}

// The state after a failed Open, whatever failed: no document, no rows.
void EndFailedOpen(HWND dialog)
{
    documentState.currentPath.clear();
    documentState.documentOpen = false;
    ClearFileList();
    ClearTable();
    ShowStatus(dialog, statusTexts::noFileOpened);
}

// After a failed save the document stays open under the path it had.
void KeepDocument(HWND dialog, std::string& previousPath)
{
    documentState.currentPath = std::move(previousPath);
    documentState.documentOpen = true;
    ShowStatus(dialog, documentState.currentPath);
}
}  // namespace

void NewDocument(HWND dialog)
{
    ShowStatus(dialog, statusTexts::creating);
    documentState.currentPath.clear();
    documentState.documentOpen = false;
    ClearFileList();
    ClearTable();
    ShowStatus(dialog, statusTexts::unnamedPath);
    documentState.currentPath = statusTexts::unnamedPath;
    documentState.documentOpen = true;
}

void OpenDocument(HWND dialog, bool askForPath)
{
    std::string path;
    if (!ChoosePath(dialog, askForPath, FileDialog::openArchive, path))
        return;
    try {
        ShowStatus(dialog, statusTexts::opening);
        documentState.currentPath.clear();
        documentState.documentOpen = false;
        ClearFileList();
        ClearTable();
        LoadArchive(path, documentState.table);
        FillFileList();
        ShowStatus(dialog, path);
        documentState.currentPath = std::move(path);
        documentState.documentOpen = true;
    } catch (const CommandError& error) {
        EndFailedOpen(dialog);
        if (error.text)
            ShowError(dialog, *error.text);
    } catch (...) {
        EndFailedOpen(dialog);
        throw;  // reported where the command was called
    }
}

// A failed save keeps the document and its path: the archive went through the safe writer, so
// the file on disk is as it was and the user can try again or save elsewhere.
void SaveDocument(HWND dialog, bool askForPath)
{
    if (!documentState.documentOpen)
        return;
    std::string path;
    if (!ChoosePath(dialog, askForPath, FileDialog::saveArchive, path))
        return;
    // Put aside rather than copied: putting it back needs no memory.
    std::string previousPath = std::move(documentState.currentPath);
    documentState.currentPath.clear();
    documentState.documentOpen = false;
    try {
        ShowStatus(dialog, statusTexts::saving);
        SaveArchive(path, documentState.table);
        ShowStatus(dialog, path);
        documentState.currentPath = std::move(path);
        documentState.documentOpen = true;
    } catch (const CommandError& error) {
        KeepDocument(dialog, previousPath);
        if (error.text)
            ShowError(dialog, *error.text);
    } catch (...) {
        KeepDocument(dialog, previousPath);
        throw;  // reported where the command was called
    }
}

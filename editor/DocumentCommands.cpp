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
        documentState.currentPath = path;
        documentState.documentOpen = true;
    } catch (const CommandError& error) {
        ShowStatus(dialog, statusTexts::noFileOpened);
        if (error.text)
            ShowError(dialog, *error.text);
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
    const std::string previousPath = documentState.currentPath;
    try {
        ShowStatus(dialog, statusTexts::saving);
        documentState.currentPath.clear();
        documentState.documentOpen = false;
        SaveArchive(path, documentState.table);
        ShowStatus(dialog, path);
        documentState.currentPath = path;
        documentState.documentOpen = true;
    } catch (const CommandError& error) {
        ShowStatus(dialog, previousPath);
        if (error.text)
            ShowError(dialog, *error.text);
        documentState.currentPath = previousPath;
        documentState.documentOpen = true;
    }
}

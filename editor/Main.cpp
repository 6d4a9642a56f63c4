#include "CommandLine.h"
#include "Document.h"
#include "Editor.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    instanceHandle = instance;
    documentState.currentPath = StartupArchivePath(commandLine);
    documentState.documentOpen = false;
    ClearTable();

    // The dialog's list view needs its window class before the dialog is created.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN_DIALOG), nullptr, MainDialogProc, 0);
    return 0;
}

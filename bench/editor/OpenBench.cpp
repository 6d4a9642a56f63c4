// Time from pressing Open to the last row listed and painted, for archives of 10,000 and
// 100,000 members, in the real dialog. Printed against a baseline measured in the same run:
// loading the same archive without any list. For 2,000 members it also fills the list row by
// row with redrawing on, the way it would be filled without freezing it, against the frozen
// fill (more rows take minutes that way).
//
// Run under wine with a display:  xvfb-run -a cmake/wine-run build/windows/bin/open_bench.exe

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Commands.h"
#include "Document.h"
#include "Editor.h"
#include "Names.h"
#include "VivArchive.h"

namespace {
double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::string MakeArchive(int members)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + "tamsel-bench-" + std::to_string(members) + ".viv";
    EntryTable table;
    for (int i = 0; i < members; ++i)
        table.push_back(ArchiveEntry{"member" + FormatDecimal(static_cast<std::uint32_t>(i)) + ".dat",
                                     MemberData(static_cast<std::size_t>(64 + i % 512), 'x')});
    SaveArchive(path, table);
    return path;
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message != WM_QUIT)
            DispatchMessageA(&message);
}

// Rows one by one with the list redrawing after each, for comparison.
double FillRowByRow(HWND list)
{
    auto start = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < documentState.table.size(); ++i) {
        std::string size = FormatDecimal(documentState.table[i].size());
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = documentState.table[i].name.data();
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = size.data();
        SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    }
    UpdateWindow(list);
    return Seconds(start);
}
}  // namespace

// Each size runs in a process of its own, so that one run's list cannot slow the next.
int RunEachSize(const char* self)
{
    std::printf("%-9s %12s %16s %8s\n", "members", "load only s", "open + list s", "ratio");
    std::fflush(stdout);
    for (const char* members : {"10000", "100000", "2000"}) {
        std::string commandLine = std::string("\"") + self + "\" " + members;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
            return 1;
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    return 0;
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return RunEachSize(argv[0]);
    int only = std::atoi(argv[1]);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    instanceHandle = GetModuleHandleA(nullptr);

    for (int members : {10000, 100000, 2000}) {
        if (members != only)
            continue;
        std::string path = MakeArchive(members);

        auto start = std::chrono::steady_clock::now();
        EntryTable baseline;
        LoadArchive(path, baseline);
        double load = Seconds(start);
        baseline.clear();

        HWND dialog = CreateDialogParamA(instanceHandle, MAKEINTRESOURCEA(IDD_MAIN_DIALOG), nullptr, MainDialogProc, 0);
        ShowWindow(dialog, SW_SHOW);
        Pump();
        documentState.currentPath = path;
        start = std::chrono::steady_clock::now();
        OpenDocument(dialog, false);
        UpdateWindow(fileListHandle);
        double open = Seconds(start);
        std::printf("%-9d %12.3f %16.3f %8.1f\n", members, load, open, open / load);
        std::fflush(stdout);
        DeleteFileA(path.c_str());

        if (members == 2000) {
            // Last, and the process ends right after it: the list is slow to let go of it.
            SendMessageA(fileListHandle, LVM_DELETEALLITEMS, 0, 0);
            double rowByRow = FillRowByRow(fileListHandle);
            std::printf("%-9d filled row by row with redrawing on: %.3f s, %.0f times the frozen open\n", members,
                        rowByRow, rowByRow / open);
            std::fflush(stdout);
            ExitProcess(0);
        }
        DestroyWindow(dialog);
        Pump();
    }
    return 0;
}

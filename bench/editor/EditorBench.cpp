// The editor's commands on large archives, in the real dialog, each against a baseline measured
// in the same run, the best of several rounds (7 unless told):
//
//   - an archive of 100,000 members of about 100 bytes, its 100,000 rows listed: Open of it
//     again (against loading it without any list), New, Import of one file, Remove of one row,
//     and Save (against cp + fsync);
//   - the peak memory of that session above the peak of the program without an archive;
//   - Save of an archive of 1 GiB in 4,096 members, against cp + fsync of it.
//
// cp + fsync is the archive copied by this process in 1 MiB reads and writes over an earlier
// copy of itself, as Save writes over the archive, then flushed to disk and closed. A copy to
// a new file, which spares the freeing of the old file's cached pages, is printed beside it.
//
// Each part runs in a process of its own, so that its peak memory is its own and one part's
// heap cannot slow the next. The archives are made in a work folder (about 4.5 GiB free space
// needed) and removed at the end.
//
// Run under wine with a display:
//   xvfb-run -a cmake/wine-run build/windows/bin/editor_bench.exe [WORK_FOLDER [ROUNDS]]

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "Commands.h"
#include "Document.h"
#include "Editor.h"
#include "Harness.h"
#include "Names.h"
#include "VivArchive.h"

namespace {
using Clock = std::chrono::steady_clock;

int rounds = 7;
constexpr int manyMembers = 100000;
constexpr int bigMembers = 4096;
constexpr std::size_t bigMemberSize = 256 * 1024;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

template <typename Run>
double Best(Run run)
{
    double best = 1e30;
    for (int round = 0; round < rounds; ++round)
        best = std::min(best, run(round));
    return best;
}

double MiB(double bytes)
{
    return bytes / (1024.0 * 1024.0);
}

double PeakMemory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize);
}

std::uint64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

// Figures go to a file in the work folder, read back by the first process.
void Record(const std::string& folder, const std::string& key, double value)
{
    std::ofstream out(folder + "\\figures.txt", std::ios::app);
    out << key << ' ' << value << '\n';
}

std::map<std::string, double> Figures(const std::string& folder)
{
    std::map<std::string, double> figures;
    std::ifstream in(folder + "\\figures.txt");
    std::string key;
    double value;
    while (in >> key >> value)
        figures[key] = value;
    return figures;
}

void MakeArchive(const std::string& path, int members, std::size_t (*sizeOf)(int))
{
    EntryTable table;
    table.reserve(static_cast<std::size_t>(members));
    for (int i = 0; i < members; ++i)
        table.push_back(ArchiveEntry{"member" + FormatDecimal(static_cast<std::uint32_t>(i)) + ".dat",
                                     std::vector<std::uint8_t>(sizeOf(i), static_cast<std::uint8_t>('a' + i % 26))});
    SaveArchive(path, table);
}

// cp + fsync, as a Windows program does it; an existing target is overwritten.
double CopyAndFlush(const std::string& from, const std::string& to)
{
    auto start = Clock::now();
    HANDLE in = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE out = CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::vector<char> buffer(1024 * 1024);
    DWORD got = 0;
    while (ReadFile(in, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
        DWORD put = 0;
        WriteFile(out, buffer.data(), got, &put, nullptr);
    }
    FlushFileBuffers(out);
    CloseHandle(out);
    CloseHandle(in);
    return SecondsSince(start);
}

// cp + fsync over an earlier copy, and to a new file, one round.
void Baselines(const std::string& archive, const std::string& folder, double& over, double& fresh)
{
    const std::string copy = folder + "\\copy.viv";
    const std::string newCopy = folder + "\\new-copy.viv";
    if (FileSize(copy) != FileSize(archive))
        CopyAndFlush(archive, copy);
    over = std::min(over, CopyAndFlush(archive, copy));
    DeleteFileA(newCopy.c_str());
    fresh = std::min(fresh, CopyAndFlush(archive, newCopy));
    DeleteFileA(newCopy.c_str());
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message != WM_QUIT)
            DispatchMessageA(&message);
}

HWND ShowMainDialog()
{
    HWND dialog = CreateDialogParamA(instanceHandle, MAKEINTRESOURCEA(IDD_MAIN_DIALOG), nullptr, MainDialogProc, 0);
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);
    Pump();
    return dialog;
}

// A command as the user waits for it: until the dialog is painted again.
template <typename Command>
double Timed(HWND dialog, Command command)
{
    auto start = Clock::now();
    command();
    UpdateWindow(dialog);
    return SecondsSince(start);
}

void OpenPath(HWND dialog, const std::string& path)
{
    documentState.currentPath = path;
    OpenDocument(dialog, false);
    UpdateWindow(dialog);
}

int EmptyProgram(const std::string& folder)
{
    HWND dialog = ShowMainDialog();
    Record(folder, "empty-peak", PeakMemory());
    DestroyWindow(dialog);
    return 0;
}

int ManyMembers(const std::string& folder)
{
    const std::string archive = folder + "\\members.viv";
    double load = Best([&](int) {
        auto start = Clock::now();
        EntryTable table;
        LoadArchive(archive, table);
        return SecondsSince(start);
    });

    HWND dialog = ShowMainDialog();
    OpenPath(dialog, archive);
    HWND list = GetDlgItem(dialog, IDC_FILE_LIST);
    StartAnswering();
    double open = 1e30, newDocument = 1e30, import = 1e30, remove = 1e30, save = 1e30, copy = 1e30, fresh = 1e30;
    for (int round = 0; round < rounds; ++round) {
        open = std::min(open, Timed(dialog, [&] { OpenDocument(dialog, false); }));

        // From the moment the file dialog is answered.
        std::string file = folder + "\\import" + std::to_string(round) + ".bin";
        std::ofstream(file, std::ios::binary) << std::string(100, 'i');
        Clock::time_point answered;
        ExpectWindow("Import file", [&](HWND fileDialog) {
            answered = Clock::now();
            AnswerFileDialog(fileDialog, file);
        });
        ImportMember(dialog);
        UpdateWindow(dialog);
        import = std::min(import, SecondsSince(answered));
        DeleteFileA(file.c_str());

        LVITEMA item = {};
        item.stateMask = item.state = LVIS_SELECTED;
        SendMessageA(list, LVM_SETITEMSTATE, manyMembers / 2, reinterpret_cast<LPARAM>(&item));
        remove = std::min(remove, Timed(dialog, [&] { RemoveMembers(dialog); }));

        Baselines(archive, folder, copy, fresh);
        save = std::min(save, Timed(dialog, [&] { SaveDocument(dialog, false); }));

        newDocument = std::min(newDocument, Timed(dialog, [&] { NewDocument(dialog); }));
        OpenPath(dialog, archive);
    }
    StopAnswering();
    if (!AllExpectedMet() || documentState.table.size() != manyMembers) {
        std::printf("the session went wrong: %zu members\n", documentState.table.size());
        return 1;
    }
    Record(folder, "load", load);
    Record(folder, "open", open);
    Record(folder, "new", newDocument);
    Record(folder, "import", import);
    Record(folder, "remove", remove);
    Record(folder, "save", save);
    Record(folder, "copy", copy);
    Record(folder, "fresh-copy", fresh);
    Record(folder, "members-peak", PeakMemory());
    DeleteFileA((folder + "\\copy.viv").c_str());
    DestroyWindow(dialog);
    return 0;
}

int Gigabyte(const std::string& folder)
{
    const std::string archive = folder + "\\gigabyte.viv";
    HWND dialog = ShowMainDialog();
    OpenPath(dialog, archive);
    double save = 1e30, copy = 1e30, fresh = 1e30;
    for (int round = 0; round < rounds; ++round) {
        Baselines(archive, folder, copy, fresh);
        save = std::min(save, Timed(dialog, [&] { SaveDocument(dialog, false); }));
    }
    Record(folder, "big-save", save);
    Record(folder, "big-copy", copy);
    Record(folder, "big-fresh-copy", fresh);
    DeleteFileA((folder + "\\copy.viv").c_str());
    DestroyWindow(dialog);
    return 0;
}

bool RunPart(const char* self, const std::string& part, const std::string& folder)
{
    std::string commandLine =
        std::string("\"") + self + "\" " + part + " \"" + folder + "\" " + std::to_string(rounds);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code == 0;
}

void PrintLine(const char* measure, const std::string& figure, const std::string& baseline, const std::string& ratio,
               const char* goal, bool met)
{
    std::printf("%-34s %11s  %-22s %7s  %-28s %s\n", measure, figure.c_str(), baseline.c_str(), ratio.c_str(), goal,
                met ? "met" : "MISSED");
}

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

int Report(const std::string& folder, double archiveBytes)
{
    std::map<std::string, double> f = Figures(folder);
    for (const char* key : {"empty-peak", "load", "open", "new", "import", "remove", "save", "copy", "fresh-copy",
                            "members-peak", "big-save", "big-copy", "big-fresh-copy"})
        if (!f.count(key)) {
            std::printf("no figure for %s\n", key);
            return 1;
        }
    std::printf("100,000 members, %.1f MiB; 1 GiB in 4,096 members; best of %d\n\n", MiB(archiveBytes), rounds);
    std::printf("%-34s %11s  %-22s %7s  %-28s\n", "measure", "tamsel", "baseline", "ratio", "goal");
    auto ms = [](double seconds) { return Format("%.1f ms", seconds * 1000); };
    PrintLine("Open while 100,000 rows listed", ms(f["open"]), "load only " + ms(f["load"]),
              Format("%.2f", f["open"] / f["load"]), "at most 300 ms", f["open"] <= 0.3);
    PrintLine("New while 100,000 rows listed", ms(f["new"]), "", "", "at most 100 ms", f["new"] <= 0.1);
    PrintLine("Import of one file", ms(f["import"]), "", "", "at most 100 ms", f["import"] <= 0.1);
    PrintLine("Remove of one row", ms(f["remove"]), "", "", "at most 100 ms", f["remove"] <= 0.1);
    PrintLine("Save", ms(f["save"]), "cp + fsync " + ms(f["copy"]), Format("%.2f", f["save"] / f["copy"]),
              "at most 2 times", f["save"] <= 2 * f["copy"]);
    double above = f["members-peak"] - f["empty-peak"];
    PrintLine("Peak memory above the empty program", Format("%.1f MiB", MiB(above)),
              "empty " + Format("%.1f MiB", MiB(f["empty-peak"])), Format("%.2f", above / archiveBytes),
              ("at most " + Format("%.1f MiB", MiB(archiveBytes) + 32)).c_str(),
              above <= archiveBytes + 32 * 1024 * 1024);
    PrintLine("1 GiB in 4,096 members: Save", ms(f["big-save"]), "cp + fsync " + ms(f["big-copy"]),
              Format("%.2f", f["big-save"] / f["big-copy"]), "at most 1.3 times", f["big-save"] <= 1.3 * f["big-copy"]);
    std::printf("\ncp + fsync to a new file: %s for 100,000 members (Save %.2f times), %s for 1 GiB (Save %.2f times)\n",
                ms(f["fresh-copy"]).c_str(), f["save"] / f["fresh-copy"], ms(f["big-fresh-copy"]).c_str(),
                f["big-save"] / f["big-fresh-copy"]);
    return 0;
}

std::size_t SmallMemberSize(int i)
{
    return static_cast<std::size_t>(64 + i % 64);
}

std::size_t BigMemberSize(int)
{
    return bigMemberSize;
}
}  // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    instanceHandle = GetModuleHandleA(nullptr);

    if (argc == 4) {
        rounds = std::max(1, std::atoi(argv[3]));
        std::string part = argv[1];
        if (part == "empty")
            return EmptyProgram(argv[2]);
        if (part == "members")
            return ManyMembers(argv[2]);
        if (part == "gigabyte")
            return Gigabyte(argv[2]);
        return 2;
    }

    std::string folder;
    if (argc >= 2) {
        folder = argv[1];
    } else {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder = std::string(temp) + "tamsel-editor-bench";
    }
    if (argc >= 3)
        rounds = std::max(1, std::atoi(argv[2]));
    CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA((folder + "\\figures.txt").c_str());
    std::printf("making the archives in %s ...\n", folder.c_str());
    std::fflush(stdout);
    MakeArchive(folder + "\\members.viv", manyMembers, SmallMemberSize);
    double archiveBytes = static_cast<double>(FileSize(folder + "\\members.viv"));
    MakeArchive(folder + "\\gigabyte.viv", bigMembers, BigMemberSize);

    int status = 0;
    for (const char* part : {"empty", "members", "gigabyte"})
        if (!RunPart(argv[0], part, folder)) {
            std::printf("part %s failed\n", part);
            status = 1;
        }
    if (status == 0)
        status = Report(folder, archiveBytes);
    for (const char* file : {"members.viv", "gigabyte.viv", "figures.txt"})
        DeleteFileA((folder + "\\" + file).c_str());
    RemoveDirectoryA(folder.c_str());
    return status;
}

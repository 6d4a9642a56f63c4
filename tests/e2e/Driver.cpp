// Plays the user of a running tamsel.exe from outside: finds its windows, types on the keyboard
// with SendInput, and fills the file dialogs' name field. Also writes and checks archives with
// the core, so the scripts need nothing else.
//
//   driver make-archive PATH NAME=CONTENT...   write an archive
//   driver expect-archive PATH NAME=CONTENT... exit 1 unless the archive holds exactly these
//   driver wait-rows N                         wait until the editor lists N rows
//   driver keys KEY...                         type keys: alt+x, f2, home, down, enter, tab
//   driver focus-list                          give the file list the keyboard focus
//   driver answer TITLE PATH                   wait for a file dialog and choose PATH in it
//   driver rename TEXT                         type TEXT into the running name edit, then Enter
//   driver status                              print the status field
//   driver version PATH                        print PATH's file and product version, text and numbers

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CommandError.h"
#include "VivArchive.h"

namespace {
constexpr DWORD patience = 60000;  // the first program in a fresh wine session starts slowly

// Visible main dialogs of running editors: a dialog that is still being set up is hidden.
std::vector<HWND> MainWindows()
{
    std::vector<HWND> found;
    for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", "Tamsel"); window;
         window = FindWindowExA(nullptr, window, "#32770", "Tamsel"))
        if (IsWindowVisible(window))
            found.push_back(window);
    return found;
}

HWND MainWindow()
{
    std::vector<HWND> found = MainWindows();
    return found.size() == 1 ? found[0] : nullptr;
}

template <typename Found>
bool WaitFor(Found found)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < patience; Sleep(50))
        if (found())
            return true;
    return false;
}

std::string TextOf(HWND window)
{
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

EntryTable TableFrom(int count, char** members)
{
    EntryTable table;
    for (int i = 0; i < count; ++i) {
        std::string member = members[i];
        std::size_t equals = member.find('=');
        ArchiveEntry entry;
        entry.name = member.substr(0, equals);
        std::string content = member.substr(equals + 1);
        entry.data.assign(content.begin(), content.end());
        table.push_back(std::move(entry));
    }
    return table;
}

WORD KeyCode(const std::string& name)
{
    if (name == "f2") return VK_F2;
    if (name == "home") return VK_HOME;
    if (name == "down") return VK_DOWN;
    if (name == "up") return VK_UP;
    if (name == "enter") return VK_RETURN;
    if (name == "tab") return VK_TAB;
    if (name == "space") return VK_SPACE;
    if (name.size() == 1) return static_cast<WORD>(VkKeyScanA(name[0]) & 0xFF);
    return 0;
}

void Key(WORD code, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

// "alt+x", "ctrl+down", "f2": modifiers held while the key is pressed.
bool TypeChord(const std::string& chord)
{
    std::vector<WORD> held;
    std::string rest = chord;
    for (;;) {
        std::size_t plus = rest.find('+');
        if (plus == std::string::npos)
            break;
        std::string modifier = rest.substr(0, plus);
        held.push_back(modifier == "alt" ? VK_MENU : modifier == "ctrl" ? VK_CONTROL : VK_SHIFT);
        rest = rest.substr(plus + 1);
    }
    WORD key = KeyCode(rest);
    if (!key)
        return false;
    for (WORD modifier : held)
        Key(modifier, false);
    Key(key, false);
    Key(key, true);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        Key(*it, true);
    Sleep(150);
    return true;
}

int Fail(const char* what)
{
    std::fprintf(stderr, "driver: %s\n", what);
    return 1;
}

// "1.0 1.0 1.0.0.0 1.0.0.0": the FileVersion and ProductVersion texts of the version resource,
// then the file and product version numbers of its fixed part.
int PrintVersion(const std::string& path)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return Fail("no version resource");
    auto value = [&](const char* name) -> const void* {
        void* found = nullptr;
        UINT length = 0;
        return VerQueryValueA(block.data(), name, &found, &length) && length ? found : nullptr;
    };
    auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value("\\"));
    auto* fileVersion = static_cast<const char*>(value("\\StringFileInfo\\040904B0\\FileVersion"));
    auto* productVersion = static_cast<const char*>(value("\\StringFileInfo\\040904B0\\ProductVersion"));
    if (!fixed || !fileVersion || !productVersion)
        return Fail("incomplete version resource");
    std::printf("%s %s %u.%u.%u.%u %u.%u.%u.%u\n", fileVersion, productVersion, HIWORD(fixed->dwFileVersionMS),
                LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS),
                HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return Fail("no command");
    const std::string& command = args[0];
    try {
        if (command == "make-archive" && args.size() >= 2) {
            SaveArchive(args[1], TableFrom(argc - 3, argv + 3));
            return 0;
        }
        if (command == "expect-archive" && args.size() >= 2) {
            EntryTable expected = TableFrom(argc - 3, argv + 3);
            EntryTable actual;
            LoadArchive(args[1], actual);
            bool same = expected.size() == actual.size();
            for (std::size_t i = 0; same && i < actual.size(); ++i)
                same = expected[i].name == actual[i].name && expected[i].data == actual[i].data;
            for (const ArchiveEntry& entry : actual)
                std::fprintf(stderr, "  %s = %s\n", entry.name.c_str(), std::string(entry.data.begin(), entry.data.end()).c_str());
            return same ? 0 : Fail("the archive differs");
        }
    } catch (const CommandError& error) {
        return Fail(error.text.value_or("archive error").c_str());
    }
    if (command == "version" && args.size() == 2)
        return PrintVersion(args[1]);

    if (!WaitFor([] { return MainWindow() != nullptr; })) {
        std::fprintf(stderr, "driver: %zu visible Tamsel windows\n", MainWindows().size());
        return Fail("no single Tamsel window");
    }
    HWND main = MainWindow();
    HWND list = GetDlgItem(main, 1001);

    if (command == "wait-rows" && args.size() == 2) {
        LRESULT rows = std::stol(args[1]);
        if (WaitFor([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == rows; }))
            return 0;
        std::fprintf(stderr, "driver: %ld rows, %zu windows\n", static_cast<long>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)),
                     MainWindows().size());
        return Fail("row count");
    }
    if (command == "status") {
        std::printf("%s\n", TextOf(GetDlgItem(main, 1000)).c_str());
        return 0;
    }
    if (command == "keys") {
        SetForegroundWindow(main);
        for (std::size_t i = 1; i < args.size(); ++i)
            if (!TypeChord(args[i]))
                return Fail("unknown key");
        return 0;
    }
    if (command == "focus-list") {
        SetForegroundWindow(main);
        SendMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
        return 0;
    }
    if (command == "answer" && args.size() == 3) {
        HWND box = nullptr;
        if (!WaitFor([&] { return (box = FindWindowA("#32770", args[1].c_str())) != nullptr && IsWindowVisible(box); }))
            return Fail("no file dialog");
        HWND field = GetDlgItem(box, edt1);
        if (!field)
            field = GetDlgItem(box, cmb13);
        SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[2].c_str()));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return WaitFor([&] { return !IsWindow(box); }) ? 0 : Fail("the file dialog stayed open");
    }
    if (command == "rename" && args.size() == 2) {
        HWND edit = nullptr;
        if (!WaitFor([&] { return (edit = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0))) != nullptr; }))
            return Fail("no name edit");
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[1].c_str()));
        SetForegroundWindow(main);
        TypeChord("enter");
        return WaitFor([&] { return SendMessageA(list, LVM_GETEDITCONTROL, 0, 0) == 0; }) ? 0 : Fail("the edit stayed open");
    }
    return Fail("unknown command");
}

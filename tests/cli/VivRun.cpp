#include "VivRun.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "CommandLine.h"
#include "FileSystem.h"
#include "VivArchive.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace {
std::string Drain(std::FILE* stream)
{
    std::string text;
    std::rewind(stream);
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, stream))
        text.append(buffer, got);
    std::fclose(stream);
    return text;
}

// Not std::tmpfile: Windows' C library makes those in the drive's root under names that
// test programs running side by side share.
std::FILE* OutputFile(const TempFolder& folder, const char* name)
{
    return std::fopen(folder.File(name).c_str(), "w+b");
}
}  // namespace

VivResult Viv(const std::vector<std::string>& arguments)
{
    TempFolder folder;
    Console console;
    console.out = OutputFile(folder, "out");
    console.err = OutputFile(folder, "err");
    if (!console.out || !console.err)
        throw std::runtime_error("no temporary file for the tool's output");
    VivResult result;
    result.status = RunViv(arguments, console);
    result.out = Drain(console.out);
    result.err = Drain(console.err);
    return result;
}

Bytes Archive(const std::vector<std::pair<std::string, std::string>>& members)
{
    EntryTable table;
    for (const auto& [name, data] : members)
        table.push_back(Entry(name, data));
    TempFolder folder;
    std::string path = folder.File("made.viv");
    SaveArchive(path, table);
    return ReadBytes(path);
}

std::vector<std::string> Loaded(const std::string& path)
{
    EntryTable table;
    LoadArchive(path, table);
    std::vector<std::string> members;
    for (const ArchiveEntry& entry : table)
        members.push_back(entry.name + "=" + std::string(entry.data.begin(), entry.data.end()));
    return members;
}

std::string ReadText(const std::string& path)
{
    Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> Tree(const std::filesystem::path& folder)
{
    std::vector<std::string> items;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        std::string relative = item.path().lexically_relative(folder).generic_string();
        if (item.is_symlink())
            items.push_back(relative + "@");
        else if (item.is_directory())
            items.push_back(relative + "/");
        else
            items.push_back(relative + "=" + ReadText(item.path().string()));
    }
    std::sort(items.begin(), items.end());
    return items;
}

std::string Quoted(const std::string& text)
{
#ifdef _WIN32
    return "\"" + text + "\"";
#else
    return "'" + text + "'";
#endif
}

std::string ProgramPath()
{
#ifdef _WIN32
    // Beside the test program, seen as Windows sees it (under wine too).
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return FolderPart(std::string(path, length)) + "viv.exe";
#else
    return VIV_PROGRAM;
#endif
}

VivResult RunProgram(const TempFolder& folder, const std::string& arguments)
{
    std::string out = folder.File("stdout.txt");
    std::string err = folder.File("stderr.txt");
#ifdef _WIN32
    std::string command = "cd /d " + Quoted(folder.path.string()) + " && ";
#else
    // Never longer than this, whatever the program waits for: a run that is killed exits
    // with 137.
    std::string command = "cd " + Quoted(folder.path.string()) + " && timeout -s KILL 10 ";
#endif
    command += Quoted(ProgramPath()) + " " + arguments + " >" + Quoted(out) + " 2>" + Quoted(err);
    int status = std::system(command.c_str());
#ifndef _WIN32
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    VivResult result{status, ReadText(out), ReadText(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
}

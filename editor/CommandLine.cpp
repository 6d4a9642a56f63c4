#include "CommandLine.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

std::string ArchivePathFromCommandLine(const char* commandLine)
{
    std::string text = commandLine ? commandLine : "";
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

std::string StartupArchivePath(const char* commandLine)
{
    std::string path = ArchivePathFromCommandLine(commandLine);
    if (path.empty())
        return path;
    DWORD needed = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::string absolute(needed, '\0');
    DWORD length = ::GetFullPathNameA(path.c_str(), needed, absolute.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    absolute.resize(length);
    return absolute;
}

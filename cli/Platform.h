#pragma once

// What the tool needs of the operating system beyond the core's file access: folders, links
// and the console. POSIX in Platform_posix.cpp, Win32 (ANSI paths) in Platform_win.cpp.

#include <compare>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
inline constexpr char pathSeparator = '\\';
#else
inline constexpr char pathSeparator = '/';
#endif

enum class EntryKind { missing, file, folder, link, other };

// What is at path, without following a link; a junction or any other reparse point is a link.
EntryKind KindOfEntry(const std::string& path);

// True when path is a folder or a link to one.
bool IsFolder(const std::string& path);

bool CreateFolder(const std::string& path);

// The names of the regular files directly inside folder; links and sub-folders are left out.
bool ListRegularFiles(const std::string& folder, std::vector<std::string>& names);

// Tells files apart even when two names lead to the same one (letter case, short names).
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

// The identity of the file at path, without following a link.
bool IdentityOf(const std::string& path, FileIdentity& identity);

bool IsTerminal(std::FILE* stream);

// Output bytes leave unchanged: no line-end translation on Windows.
void UseBinaryMode(std::FILE* stream);

// folder and name with one separator between them.
std::string JoinPath(const std::string& folder, std::string_view name);

#pragma once

// What the tool needs of the operating system beyond the core's file access: folders, file
// identities and the console. POSIX in Platform_posix.cpp, Win32 (ANSI paths) in Platform_win.cpp.

#include <compare>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "FileSystem.h"

#ifdef _WIN32
inline constexpr char pathSeparator = '\\';
#else
inline constexpr char pathSeparator = '/';
#endif

// True when path is a folder or a link to one.
bool IsFolder(const std::string& path);

// The names of the regular files directly inside folder; links and sub-folders are left out.
bool ListRegularFiles(const std::string& folder, std::vector<std::string>& names);

// Tells files apart even when two names lead to the same one (letter case, short names).
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

enum class IdentityLookup { found, missing, unknown };
// The identity of what stands at name in folder, without following a link; unknown when
// something may be there but could not be asked (Windows: a path past MAX_PATH, say).
IdentityLookup IdentityIn(const NativeFolder& folder, const std::string& name, FileIdentity& identity);
// The identity of an open file; it stays with the file when the file is renamed.
bool IdentityOfOpenFile(const NativeFile& file, FileIdentity& identity);

bool IsTerminal(std::FILE* stream);

// Output bytes leave unchanged: no line-end translation on Windows.
void UseBinaryMode(std::FILE* stream);

// folder and name with one separator between them.
std::string JoinPath(const std::string& folder, std::string_view name);

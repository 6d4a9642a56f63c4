#pragma once

// What the tool needs of the operating system beyond the core's file access: folders, file
// identities and the console. POSIX in Platform_posix.cpp, Win32 (ANSI paths) in Platform_win.cpp.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "FileSystem.h"

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

// How a terminal reads the bytes it is sent: the character that begins at text[at], its length
// in bytes, and whether it is a C1 control (U+0080 to U+009F: 0x9B starts a control sequence
// as ESC does). A byte that begins no character of the terminal's encoding is one of its own,
// and a control when it is 0x80 to 0x9F, as an 8-bit terminal takes it.
struct TerminalCharacter {
    std::size_t length = 1;
    bool control = false;
};
using TerminalReader = std::function<TerminalCharacter(std::string_view text, std::size_t at)>;

// The byte at text[at] as a character of its own.
TerminalCharacter LoneByte(std::string_view text, std::size_t at);

// The reader of the terminal that stream goes to: in the console's output code page on
// Windows, in the character set of the environment's locale on POSIX. Empty when the stream
// goes to a file or a pipe.
TerminalReader TerminalReaderOf(std::FILE* stream);

// The reader for an encoding named as the platform names it: a code page number on Windows
// ("932", "65001"), a locale on POSIX ("C.UTF-8"; "" for the environment's).
TerminalReader TerminalReaderFor(const std::string& encoding);

// Output bytes leave unchanged: no line-end translation on Windows.
void UseBinaryMode(std::FILE* stream);


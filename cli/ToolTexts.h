#pragma once

#include <string_view>

// The tool's own texts: usage, and the failures the editor has no words for. The failures it
// shares with the editor come from ErrorTexts.h. A text ending in a line feed is followed by
// the path or member name it is about.
namespace toolTexts {
inline constexpr std::string_view noSuchMember = "No member of that name:\n";
inline constexpr std::string_view unsafeName = "Member skipped, its name is not a safe relative path:\n";
inline constexpr std::string_view linkOnTheWay = "Member skipped, a folder on its way is a link:\n";
inline constexpr std::string_view nameTooLong = "Member skipped, its name is longer than 4095 bytes or 255 parts:\n";
inline constexpr std::string_view notIdentified = "Member skipped, its file couldn't be identified:\n";
inline constexpr std::string_view writtenAlready = "Member skipped, a member of the same name was written:\n";
inline constexpr std::string_view folderCouldntBeOpened = "Folder couldn't be opened:\n";
inline constexpr std::string_view folderCouldntBeCreated = "Folder couldn't be created:\n";
inline constexpr std::string_view fileChanged = "File changed while it was read:\n";
inline constexpr std::string_view newNameEmpty = "The new name is empty.";

inline constexpr std::string_view unknownCommand = "Unknown command:\n";
inline constexpr std::string_view unknownOption = "Unknown option:\n";
inline constexpr std::string_view missingOptionValue = "Option needs a value:\n";
inline constexpr std::string_view wrongArguments = "Wrong number of arguments.";
inline constexpr std::string_view noCommand = "No command given.";

inline constexpr std::string_view usage =
    "Usage: viv COMMAND ARGUMENTS...\n"
    "\n"
    "  list ARCHIVE                        each member's size, a tab and its name\n"
    "  check ARCHIVE                       report every problem of the archive\n"
    "  extract ARCHIVE [-C DIR] [NAME...]  write members, all or those named, into DIR\n"
    "  create ARCHIVE PATH...              a new archive of these files and folders\n"
    "  add ARCHIVE FILE...                 add files, replacing members of the same name\n"
    "  remove ARCHIVE NAME...              remove every member of these names\n"
    "  rename ARCHIVE OLD NEW              rename the first member named OLD\n"
    "\n"
    "viv COMMAND --help tells more of one command; viv --version gives the version.\n"
    "Exit status: 0 success, 1 an archive or a file could not be processed, 2 usage error.\n";

inline constexpr std::string_view listUsage =
    "Usage: viv list ARCHIVE\n"
    "Prints one line per member, in archive order: its size in bytes, a tab, its name.\n"
    "In names a backslash is written as \\\\, bytes below 0x20 and 0x7F as \\xHH; on a\n"
    "terminal also the bytes of a C1 control character (U+0080 to U+009F) and every byte\n"
    "0x80 to 0x9F that is no part of a character in the terminal's encoding (the locale's;\n"
    "on Windows the console's code page). Other bytes are written as they are.\n";

inline constexpr std::string_view checkUsage =
    "Usage: viv check ARCHIVE\n"
    "Reports every problem that keeps the archive from being opened, one line each;\n"
    "exit status 1 if there is any.\n";

inline constexpr std::string_view extractUsage =
    "Usage: viv extract ARCHIVE [-C DIR] [--] [NAME...]\n"
    "Writes every member, or those named, into DIR (default: the current folder).\n"
    "Names are relative paths split at / and \\; a name that is not safe to write\n"
    "(absolute, with .. or :, reserved on Windows, longer than 4095 bytes or 255 parts,\n"
    "...) is skipped with a message, and so is a later member of a name already written.\n";

inline constexpr std::string_view createUsage =
    "Usage: viv create ARCHIVE PATH...\n"
    "Writes a new archive of the given files, in order, each named after its file name;\n"
    "a folder adds the regular files directly inside it, in byte order of their names.\n";

inline constexpr std::string_view addUsage =
    "Usage: viv add ARCHIVE FILE...\n"
    "Adds each file in turn as a member named after its file name: a member of that name\n"
    "is replaced in its place, otherwise the file is appended.\n";

inline constexpr std::string_view removeUsage =
    "Usage: viv remove ARCHIVE NAME...\n"
    "Removes every member of each name; if a name is not there, nothing is changed.\n";

inline constexpr std::string_view renameUsage =
    "Usage: viv rename ARCHIVE OLD NEW\n"
    "Renames the first member named OLD to NEW, which must not be empty nor the name of\n"
    "another member.\n";
}  // namespace toolTexts

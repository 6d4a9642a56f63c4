#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

#include "Platform.h"

inline constexpr int exitSuccess = 0;
inline constexpr int exitFailure = 1;  // an archive or a file could not be processed
inline constexpr int exitUsage = 2;

// Where a run of the tool speaks: its output, its messages, and whether a person watches.
struct Console {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    bool showProgress = false;
    // How the terminals behind out and err read what they are sent; empty for files and pipes.
    TerminalReader outTerminal;
    TerminalReader errTerminal;
    std::size_t progressWidth = 0;  // of the progress line on err now; 0 when there is none
};

// One line "viv: ..." on err, in place of a progress line. A message that names its path in
// itself ("File couldn't be opened:\n" + path) shows it after a blank; any other is preceded
// by subject, when given. On a terminal, C1 controls in it are escaped (EscapeForTerminal).
void Report(Console& console, std::string_view message, std::string_view subject = {});

// Blanks out the progress line, if one is shown.
void EraseProgressLine(Console& console);

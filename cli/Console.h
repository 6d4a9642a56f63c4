#pragma once

#include <cstdio>
#include <string_view>

inline constexpr int exitSuccess = 0;
inline constexpr int exitFailure = 1;  // an archive or a file could not be processed
inline constexpr int exitUsage = 2;

// Where a run of the tool speaks: its output, its messages, and whether a person watches.
struct Console {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    bool showProgress = false;
};

// One line "viv: ..." on err. A message that names its path in itself ("File couldn't be
// opened:\n" + path) shows it after a blank; any other is preceded by subject, when given.
void Report(const Console& console, std::string_view message, std::string_view subject = {});

#pragma once

#include <string>

// The archive path given after the program's name. One pair of double quotes around the whole
// text goes (the shell adds them to a path with blanks, and no Windows path holds a quote);
// everything else stays, blanks inside and after the path included.
std::string ArchivePathFromCommandLine(const char* commandLine);

// The path the program stores at start: ArchivePathFromCommandLine made absolute as Windows
// resolves it (GetFullPathNameA), so that Save still writes to the file that was opened after
// a file dialog has changed the current folder. Empty stays empty; a path that cannot be
// resolved stays as it is, for Open to report.
std::string StartupArchivePath(const char* commandLine);

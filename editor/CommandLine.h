#pragma once

#include <string>

// The archive path given after the program's name. One pair of double quotes around the whole
// text goes (the shell adds them to a path with blanks, and no Windows path holds a quote);
// everything else stays, blanks inside and after the path included.
std::string ArchivePathFromCommandLine(const char* commandLine);

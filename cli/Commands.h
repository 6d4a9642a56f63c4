#pragma once

#include <string>
#include <vector>

#include "Console.h"

// A command's arguments once the command line is parsed: the operands in order (the archive
// first) and extract's folder.
struct Invocation {
    std::vector<std::string> operands;
    std::string folder = ".";
};

// Each returns the exit status, or raises CommandError for a failure that ends the command
// (reported with the archive's path).
int ListMembers(const Invocation& invocation, Console& console);
int CheckArchive(const Invocation& invocation, Console& console);
int ExtractMembers(const Invocation& invocation, Console& console);
int CreateArchive(const Invocation& invocation, Console& console);
int AddFiles(const Invocation& invocation, Console& console);
int RemoveMembers(const Invocation& invocation, Console& console);
int RenameMember(const Invocation& invocation, Console& console);

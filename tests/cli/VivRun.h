#pragma once

#include <string>
#include <vector>

#include "Fixtures.h"

// What one run of the tool left behind.
struct VivResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the tool in-process with these arguments (without the program's name).
VivResult Viv(const std::vector<std::string>& arguments);

// Runs the real program in folder through the shell, its output and messages captured in files
// there; arguments as the shell takes them (see Quoted). On POSIX a run that lasts 10 s is
// killed.
VivResult RunProgram(const TempFolder& folder, const std::string& arguments);
std::string Quoted(const std::string& text);
std::string ProgramPath();

// An archive as SaveArchive writes it, members back to back: {name, data} pairs.
Bytes Archive(const std::vector<std::pair<std::string, std::string>>& members);

// The members of the archive at path as LoadArchive reads them, "name=data" each.
std::vector<std::string> Loaded(const std::string& path);

std::string ReadText(const std::string& path);

// Everything under folder, sorted: "path=content" for a file, "path/" for a folder and
// "path@" for a link (not followed), paths relative with '/'.
std::vector<std::string> Tree(const std::filesystem::path& folder);

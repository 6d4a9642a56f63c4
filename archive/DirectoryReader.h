#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "InputFile.h"
#include "VivFormat.h"

// What can make an archive unreadable. The reader collects them and decides nothing: the
// editor's loader refuses a file with any, `viv check` prints them all.
enum class DirectoryFault {
    notViv,         // shorter than four bytes, or the magic is not "BIGF"
    shortHeader,    // "BIGF" but less than the 16-byte header
    countTooLarge,  // entryCount records cannot fit in the file (each takes at least 9 bytes)
    recordPastEnd,  // a record's offset or size field runs past the end of the file
    dataPastEnd,    // offset + size runs past the end of the file
    sizesTooLarge,  // the member sizes add up to more than 4294967295
};

struct DirectoryProblem {
    DirectoryFault fault;
    std::uint32_t record = 0;  // the record concerned, where there is one
};

struct VivDirectory {
    std::uint32_t archiveSize = 0;
    std::uint32_t entryCount = 0;
    std::uint32_t dataStart = 0;
    std::uint64_t fileLength = 0;
    std::vector<DirectoryRecord> records;  // in directory order; complete only without problems
    std::vector<DirectoryProblem> problems;
};

// Reads the header and the directory, never member data.
VivDirectory ReadDirectory(InputFile& input);

// A line describing the problem, for `viv check`.
std::string DescribeProblem(const VivDirectory& directory, const DirectoryProblem& problem);

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DefaultInitAllocator.h"

// A member's bytes. Never zeroed when made: every byte is read or copied in before it is used.
using MemberData = std::vector<std::uint8_t, DefaultInitAllocator<std::uint8_t>>;

// One member file. Its name is raw bytes exactly as in the archive directory (never a NUL);
// its data is held whole in memory.
struct ArchiveEntry {
    std::string name;
    MemberData data;

    // A member never holds more than 4294967295 bytes: Import and the reader refuse larger ones.
    std::uint32_t size() const { return static_cast<std::uint32_t>(data.size()); }

    bool operator==(const ArchiveEntry&) const = default;
};

// The members in archive order: slot i is directory record i and list row i.
using EntryTable = std::vector<ArchiveEntry>;

struct DocumentState {
    std::string currentPath;
    bool documentOpen = false;
    EntryTable table;
};

// The one document of the process.
extern DocumentState documentState;

// Destroys every entry of the document's table and releases its memory.
void ClearTable();

inline std::uint32_t EntryCount(const EntryTable& table)
{
    return static_cast<std::uint32_t>(table.size());
}

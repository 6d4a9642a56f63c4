#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ArchiveInput.h"
#include "Console.h"

// A member of an archive about to be written, and where its bytes are now: in the archive
// being rewritten, or in a loose file.
struct PlannedMember {
    std::string name;
    std::uint32_t size = 0;
    std::uint32_t archiveOffset = 0;  // when filePath is empty
    std::string filePath;
};

// The archive's members as they stand, ready to be edited and written again.
std::vector<PlannedMember> MembersOf(const ArchiveInput& archive);

// A loose file as a member named after its base name. Raises "File couldn't be opened" and
// "File is too large" for files the format cannot take.
PlannedMember PlanFile(const std::string& path);

// Writes members as the archive at target, all or nothing, through the core's layout and the
// safe writer: the tool writes exactly what SaveArchive would. Data comes from source (which
// is closed before the target is replaced, since it may be the same file) or the loose files.
void WriteArchive(const std::string& target, const std::vector<PlannedMember>& members, ArchiveInput* source,
                  Console& console);

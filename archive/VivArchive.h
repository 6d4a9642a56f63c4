#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "DirectoryReader.h"
#include "Document.h"
#include "InputFile.h"
#include "SafeFile.h"

// Opens the archive at path and reads its directory, refusing what every reader of archives
// refuses: "File couldn't be opened:\n" (also when a read fails) or "File is not a valid VIV
// file:\n" + path.
VivDirectory OpenArchiveDirectory(const std::string& path, InputFile& input);
// The same for an input already open; path names it in the messages.
VivDirectory ReadArchiveDirectory(InputFile& input, const std::string& path);

// Reads the archive at path into table, which the caller has emptied. The new table is built
// aside and handed over only when the whole file was read; on a CommandError the table stays
// empty. Damaged files are refused whole, never loaded in part; a failed read is "File
// couldn't be opened:\n" + path, a failed allocation "Memory couldn't be allocated.".
void LoadArchive(const std::string& path, EntryTable& table);
// The same from an input already open; path names it in the messages.
void LoadArchive(InputFile& input, const std::string& path, EntryTable& table);

// Writes table as a VIV archive through the safe writer: the file at path is either replaced
// whole or left as it was. Raises "Archive is too large to be saved." before writing anything
// when the archive would pass 4294967295 bytes, "Memory couldn't be allocated." and the safe
// writer's "File couldn't be written:\n" + path.
void SaveArchive(const std::string& path, const EntryTable& table);

// What the directory of an archive about to be written needs of each member.
struct MemberLayout {
    std::string_view name;
    std::uint32_t size = 0;
};

struct ArchiveLayout {
    std::uint32_t dataStart = 0;
    std::uint32_t archiveSize = 0;
};

// Where the data of these members starts and how long the archive is, members back to back
// in this order. Raises "Archive is too large to be saved." when it would not fit the format.
ArchiveLayout PlanLayout(std::span<const MemberLayout> members);

// Takes the bytes of an archive, piece by piece in file order.
using PutBytes = std::function<void(const void* bytes, std::size_t count)>;

// Writes the header and the directory of that layout.
void WriteHeaderAndDirectory(const PutBytes& put, std::span<const MemberLayout> members, const ArchiveLayout& layout);
void WriteHeaderAndDirectory(SafeFileWriter& writer, std::span<const MemberLayout> members,
                             const ArchiveLayout& layout);

// The layout of table's members; raises what PlanLayout raises, and "Memory couldn't be
// allocated.".
struct ArchivePlan {
    std::vector<MemberLayout> members;
    ArchiveLayout layout;
};
ArchivePlan PlanArchive(const EntryTable& table);

// The whole archive of table as SaveArchive writes it: header, directory, member data.
void PutArchive(const EntryTable& table, const ArchivePlan& plan, const PutBytes& put);

#include <algorithm>
#include <iterator>
#include <new>
#include <vector>

#include "BigEndian.h"
#include "CommandError.h"
#include "VivArchive.h"
#include "VivFormat.h"

ArchiveLayout PlanLayout(std::span<const MemberLayout> members)
{
    // Summed in 64 bits: a table can describe more than the format can hold.
    std::uint64_t dataStart = vivHeaderSize;
    std::uint64_t dataSize = 0;
    for (const MemberLayout& member : members) {
        dataStart += member.name.size() + vivRecordOverhead;
        dataSize += member.size;
    }
    if (dataStart + dataSize > vivMaxFileSize)
        throw ErrorText(errorTexts::archiveTooLarge);
    return ArchiveLayout{static_cast<std::uint32_t>(dataStart), static_cast<std::uint32_t>(dataStart + dataSize)};
}

void WriteHeaderAndDirectory(SafeFileWriter& writer, std::span<const MemberLayout> members,
                             const ArchiveLayout& layout)
{
    std::uint8_t header[vivHeaderSize];
    std::copy(std::begin(vivMagic), std::end(vivMagic), header);
    WriteBigEndian32(header + vivArchiveSizeAt, layout.archiveSize);
    WriteBigEndian32(header + vivEntryCountAt, static_cast<std::uint32_t>(members.size()));
    WriteBigEndian32(header + vivDataStartAt, layout.dataStart);
    Write(writer, header, sizeof header);

    std::uint32_t offset = layout.dataStart;
    for (const MemberLayout& member : members) {
        std::uint8_t fields[vivRecordNameAt];
        WriteBigEndian32(fields + vivRecordOffsetAt, offset);
        WriteBigEndian32(fields + vivRecordSizeAt, member.size);
        Write(writer, fields, sizeof fields);
        Write(writer, member.name.data(), member.name.size());
        Write(writer, "", 1);
        offset += member.size;
    }
}

void SaveArchive(const std::string& path, const EntryTable& table)
{
    std::vector<MemberLayout> layout;
    try {
        layout.reserve(table.size());
    } catch (const std::bad_alloc&) {
        throw ErrorText(errorTexts::memoryCouldntBeAllocated);
    }
    for (const ArchiveEntry& entry : table)
        layout.push_back(MemberLayout{entry.name, entry.size()});

    // Checked before a temporary file exists or the target is touched.
    ArchiveLayout plan = PlanLayout(layout);
    SafeFileWriter writer(path);
    WriteHeaderAndDirectory(writer, layout, plan);
    for (const ArchiveEntry& entry : table)
        Write(writer, entry.data.data(), entry.data.size());
    Commit(writer);
}

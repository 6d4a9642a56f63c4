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

void WriteHeaderAndDirectory(const PutBytes& put, std::span<const MemberLayout> members, const ArchiveLayout& layout)
{
    std::uint8_t header[vivHeaderSize];
    std::copy(std::begin(vivMagic), std::end(vivMagic), header);
    WriteBigEndian32(header + vivArchiveSizeAt, layout.archiveSize);
    WriteBigEndian32(header + vivEntryCountAt, static_cast<std::uint32_t>(members.size()));
    WriteBigEndian32(header + vivDataStartAt, layout.dataStart);
    put(header, sizeof header);

    std::uint32_t offset = layout.dataStart;
    for (const MemberLayout& member : members) {
        std::uint8_t fields[vivRecordNameAt];
        WriteBigEndian32(fields + vivRecordOffsetAt, offset);
        WriteBigEndian32(fields + vivRecordSizeAt, member.size);
        put(fields, sizeof fields);
        put(member.name.data(), member.name.size());
        put("", 1);
        offset += member.size;
    }
}

namespace {
PutBytes PutInto(SafeFileWriter& writer)
{
    return [&writer](const void* bytes, std::size_t count) { Write(writer, bytes, count); };
}
}  // namespace

void WriteHeaderAndDirectory(SafeFileWriter& writer, std::span<const MemberLayout> members,
                             const ArchiveLayout& layout)
{
    WriteHeaderAndDirectory(PutInto(writer), members, layout);
}

ArchivePlan PlanArchive(const EntryTable& table)
{
    ArchivePlan plan;
    try {
        plan.members.reserve(table.size());
    } catch (const std::bad_alloc&) {
        throw ErrorText(errorTexts::memoryCouldntBeAllocated);
    }
    for (const ArchiveEntry& entry : table)
        plan.members.push_back(MemberLayout{entry.name, entry.size()});
    plan.layout = PlanLayout(plan.members);
    return plan;
}

void PutArchive(const EntryTable& table, const ArchivePlan& plan, const PutBytes& put)
{
    WriteHeaderAndDirectory(put, plan.members, plan.layout);
    for (const ArchiveEntry& entry : table)
        put(entry.data.data(), entry.data.size());
}

void SaveArchive(const std::string& path, const EntryTable& table)
{
    // Planned before a temporary file exists or the target is touched.
    ArchivePlan plan = PlanArchive(table);
    try {
        SafeFileWriter writer(path);
        PutArchive(table, plan, PutInto(writer));
        Commit(writer);
    } catch (const std::bad_alloc&) {
        throw ErrorText(errorTexts::memoryCouldntBeAllocated);
    }
}

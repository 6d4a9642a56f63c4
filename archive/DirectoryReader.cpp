#include "DirectoryReader.h"

#include <algorithm>
#include <cstring>

#include "BigEndian.h"
#include "Names.h"

namespace {
void Note(VivDirectory& directory, DirectoryFault fault, std::uint32_t record = 0)
{
    directory.problems.push_back(DirectoryProblem{fault, record});
}

// The name runs from position up to its NUL, or to the end of the file when the NUL is
// missing; it is bounded by the file either way. Returns the position after the NUL.
std::uint64_t ReadName(InputFile& input, std::uint64_t position, std::string& name)
{
    for (;;) {
        std::span<const std::uint8_t> bytes = PeekAt(input, position);
        if (bytes.empty())
            return position;
        const void* nul = std::memchr(bytes.data(), 0, bytes.size());
        std::size_t length = nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - bytes.data())
                                 : bytes.size();
        name.append(reinterpret_cast<const char*>(bytes.data()), length);
        position += length;
        if (nul)
            return position + 1;
    }
}
}  // namespace

VivDirectory ReadDirectory(InputFile& input)
{
    VivDirectory directory;
    directory.fileLength = input.length;

    std::uint8_t header[vivHeaderSize];
    std::size_t headerBytes = static_cast<std::size_t>(std::min<std::uint64_t>(input.length, vivHeaderSize));
    if (headerBytes < sizeof vivMagic || !ReadAt(input, 0, header, headerBytes) ||
        std::memcmp(header, vivMagic, sizeof vivMagic) != 0) {
        Note(directory, DirectoryFault::notViv);
        return directory;
    }
    if (headerBytes < vivHeaderSize) {
        Note(directory, DirectoryFault::shortHeader);
        return directory;
    }
    directory.archiveSize = ReadBigEndian32(header + vivArchiveSizeAt);
    directory.entryCount = ReadBigEndian32(header + vivEntryCountAt);
    directory.dataStart = ReadBigEndian32(header + vivDataStartAt);

    // Checked before anything is allocated, so a count of four billion in a tiny file costs nothing.
    std::uint64_t roomForRecords = (input.length - vivHeaderSize) / vivRecordOverhead;
    if (directory.entryCount > roomForRecords)
        Note(directory, DirectoryFault::countTooLarge);
    directory.records.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(directory.entryCount, roomForRecords)));

    std::uint64_t position = vivHeaderSize;
    std::uint64_t sizeSum = 0;
    bool sumReported = false;
    for (std::uint32_t i = 0; i < directory.entryCount; ++i) {
        std::uint8_t fields[vivRecordNameAt];
        if (!ReadAt(input, position, fields, sizeof fields)) {
            Note(directory, DirectoryFault::recordPastEnd, i);
            break;  // nothing after this point can be located
        }
        DirectoryRecord record;
        record.offset = ReadBigEndian32(fields + vivRecordOffsetAt);
        record.size = ReadBigEndian32(fields + vivRecordSizeAt);
        position = ReadName(input, position + sizeof fields, record.name);

        // 64-bit sums: offset + size cannot wrap.
        if (std::uint64_t{record.offset} + record.size > input.length)
            Note(directory, DirectoryFault::dataPastEnd, i);
        sizeSum += record.size;
        if (sizeSum > vivMaxFileSize && !sumReported) {
            Note(directory, DirectoryFault::sizesTooLarge, i);
            sumReported = true;
        }
        directory.records.push_back(std::move(record));
    }
    return directory;
}

std::string DescribeProblem(const VivDirectory& directory, const DirectoryProblem& problem)
{
    auto recordText = [&] { return "record " + FormatDecimal(problem.record); };
    switch (problem.fault) {
    case DirectoryFault::notViv:
        return "not a VIV archive: it does not begin with \"BIGF\"";
    case DirectoryFault::shortHeader:
        return "the file ends inside the 16-byte header";
    case DirectoryFault::countTooLarge:
        return "the header claims " + FormatDecimal(directory.entryCount) +
               " entries, more than a file of this length can hold";
    case DirectoryFault::recordPastEnd:
        return recordText() + ": the directory runs past the end of the file";
    case DirectoryFault::dataPastEnd:
        return recordText() + ": its data runs past the end of the file";
    case DirectoryFault::sizesTooLarge:
        return recordText() + ": the member sizes add up to more than 4294967295 bytes";
    }
    return "unknown problem";
}

#pragma once

// A VIV archive, all numbers unsigned 32-bit big-endian:
//
//   offset  size  field
//   0       4     magic        "BIGF"
//   4       4     archiveSize  length of the whole file (not trusted on reading)
//   8       4     entryCount   number of directory records
//   12      4     dataStart    16 + length of the directory (not trusted on reading)
//   16      ...   directory: entryCount records back to back, each
//                   +0  4  offset  absolute position of the member's first byte
//                   +4  4  size    length of the member's data
//                   +8  n  name    raw bytes, no NUL inside
//                   +8+n 1 NUL
//   dataStart ... member data; written back to back in directory order, read from each
//                 record's own offset (readers accept any order, gaps and overlaps).

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr char vivMagic[4] = {'B', 'I', 'G', 'F'};
inline constexpr std::uint32_t vivHeaderSize = 16;
// offset, size and the name's NUL: a record is this much longer than its name.
inline constexpr std::uint32_t vivRecordOverhead = 9;
inline constexpr std::uint64_t vivMaxFileSize = 0xFFFFFFFFu;

// Where each field stands, from the start of the header and of a record.
inline constexpr std::size_t vivArchiveSizeAt = 4;
inline constexpr std::size_t vivEntryCountAt = 8;
inline constexpr std::size_t vivDataStartAt = 12;
inline constexpr std::size_t vivRecordOffsetAt = 0;
inline constexpr std::size_t vivRecordSizeAt = 4;
inline constexpr std::size_t vivRecordNameAt = 8;

struct DirectoryRecord {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    std::string name;
};

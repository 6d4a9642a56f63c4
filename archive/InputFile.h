#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "FileSystem.h"

// A file read at absolute positions through one buffer, so that a directory and members stored
// in order cost few system calls; or bytes already in memory, read the same way (the fuzz
// targets feed the reader so).
struct InputFile {
    NativeFile file;
    std::uint64_t length = 0;
    std::vector<std::uint8_t> storage;       // the buffer of a file
    std::span<const std::uint8_t> buffered;  // the bytes from bufferedOffset on: in storage, or all of memory
    std::uint64_t bufferedOffset = 0;
    // Set for good once a read came up short of the length the file had when it was opened: a
    // read error, or a file that shrank meanwhile. Asking past that length is no failure.
    bool readFailed = false;
};

bool OpenInputFile(const std::string& path, InputFile& input);
// The bytes must outlive the input.
void OpenInputMemory(std::span<const std::uint8_t> bytes, InputFile& input);

// Copies count bytes from offset; false when the input ends first or a read fails.
bool ReadAt(InputFile& input, std::uint64_t offset, void* out, std::size_t count);

// The bytes from offset on that one buffer fill gives; empty at the end of the input.
std::span<const std::uint8_t> PeekAt(InputFile& input, std::uint64_t offset);

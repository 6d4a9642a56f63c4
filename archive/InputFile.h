#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "FileSystem.h"

// A file read at absolute positions through one buffer, so that a directory and members stored
// in order cost few system calls.
struct InputFile {
    NativeFile file;
    std::uint64_t length = 0;
    std::vector<std::uint8_t> buffer;
    std::uint64_t bufferOffset = 0;
};

bool OpenInputFile(const std::string& path, InputFile& input);

// Copies count bytes from offset; false when the file ends first or a read fails.
bool ReadAt(InputFile& input, std::uint64_t offset, void* out, std::size_t count);

// The bytes from offset on that one buffer fill gives; empty at the end of the file.
std::span<const std::uint8_t> PeekAt(InputFile& input, std::uint64_t offset);

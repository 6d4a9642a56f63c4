#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FileSystem.h"

// Writes a file so that its target is either left exactly as it was or replaced whole: the
// bytes go to a new file beside the target, which is flushed to disk, closed and only then
// renamed over the target. A writer destroyed before Commit removes its temporary file.
//
// Every failure raises a CommandError "File couldn't be written:\n" + the target path.
struct SafeFileWriter {
    explicit SafeFileWriter(const std::string& targetPath);
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;
    ~SafeFileWriter();

    std::string targetPath;
    std::string temporaryPath;
    NativeFile file;
    std::vector<std::uint8_t> pending;
    bool committed = false;
    // Off: still all or nothing whatever happens to the process, but not flushed to disk
    // before the rename; for writers of many small files (viv extract), as tar writes them.
    bool flushToDisk = true;
};

void Write(SafeFileWriter& writer, const void* bytes, std::size_t count);
void Commit(SafeFileWriter& writer);

// The whole of bytes as the new content of path.
void WriteFileSafely(const std::string& path, const void* bytes, std::size_t count);

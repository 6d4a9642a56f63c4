#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FileSystem.h"

// Writes a file so that its target is either left exactly as it was or replaced whole: the
// bytes go to a new file in the target's folder, which is flushed to disk, closed and only
// then renamed over the target. A writer destroyed before Commit removes its temporary file.
// On Linux the new file has no name until it is complete, so not even a killed process
// leaves one behind; elsewhere the next writer into the same folder removes what writers that
// no longer run have left (TemporaryName.h's rule tells those files from others).
//
// Every failure raises a CommandError "File couldn't be written:\n" + the target path.
struct SafeFileWriter {
    // The file at targetPath. On POSIX a target that is a symbolic link is followed, and the
    // new file keeps the permission bits, owner and group of the one it replaces as far as
    // the process may set them.
    explicit SafeFileWriter(const std::string& targetPath);
    // The file name inside folder, which must outlive the writer; shownPath is for messages.
    // A new file with the system's default permissions, whatever name had before.
    SafeFileWriter(const NativeFolder& folder, std::string name, std::string shownPath);
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;
    ~SafeFileWriter();

    std::string targetPath;
    NativeFolder ownFolder;
    const NativeFolder* folder = &ownFolder;
    std::string targetName;
    std::string temporaryName;  // empty while the file has no name
    bool keepAttributes = true;
    NativeFile file;
    NativeFile lock;  // holds the file's lock from its close to its rename
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

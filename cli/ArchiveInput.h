#pragma once

#include <string>

#include "DirectoryReader.h"
#include "InputFile.h"
#include "Progress.h"
#include "SafeFile.h"

// An archive opened for reading: its directory read by the core's reader, its data left on
// disk and copied out member by member.
struct ArchiveInput {
    std::string path;
    InputFile input;
    VivDirectory directory;
};

// Opens and reads the directory; refuses, as the editor does, a file that cannot be opened
// and a damaged one. Raises CommandError.
void OpenArchive(const std::string& path, ArchiveInput& archive);

// Copies size bytes from offset of the archive to the writer, in chunks.
void CopyFromArchive(ArchiveInput& archive, std::uint32_t offset, std::uint32_t size, SafeFileWriter& writer,
                     Progress& progress);

// Copies a loose file of the given size to the writer, in chunks; raises "File changed while
// it was read" when its length is no longer size.
void CopyFromFile(const std::string& path, std::uint32_t size, SafeFileWriter& writer, Progress& progress);

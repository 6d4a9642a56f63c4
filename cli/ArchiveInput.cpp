#include "ArchiveInput.h"

#include <vector>

#include "CommandError.h"
#include "ToolTexts.h"
#include "VivArchive.h"

namespace {
// Large enough that the safe writer passes each chunk straight to the system.
constexpr std::size_t chunkSize = 1024 * 1024;

// One for the process: members are copied one at a time, and a buffer per member would cost
// an allocation and a clearing of 1 MiB each.
std::vector<std::uint8_t>& ChunkBuffer()
{
    static std::vector<std::uint8_t> buffer(chunkSize);
    return buffer;
}
}  // namespace

void OpenArchive(const std::string& path, ArchiveInput& archive)
{
    archive.path = path;
    archive.directory = OpenArchiveDirectory(path, archive.input);
}

void CopyFromArchive(ArchiveInput& archive, std::uint32_t offset, std::uint32_t size, SafeFileWriter& writer,
                     Progress& progress)
{
    std::vector<std::uint8_t>& buffer = ChunkBuffer();
    std::uint64_t position = offset;
    std::uint64_t end = position + size;
    while (position < end) {
        std::size_t count = end - position < chunkSize ? static_cast<std::size_t>(end - position) : chunkSize;
        if (!ReadAt(archive.input, position, buffer.data(), count))
            throw ErrorWithPath(errorTexts::fileCouldntBeOpened, archive.path);
        Write(writer, buffer.data(), count);
        position += count;
        Advance(progress, count);
    }
}

void CopyFromFile(const std::string& path, std::uint32_t size, SafeFileWriter& writer, Progress& progress)
{
    NativeFile file;
    std::uint64_t length = 0;
    if (!OpenForReading(path, file) || !GetFileLength(file, length))
        throw ErrorWithPath(errorTexts::fileCouldntBeOpened, path);
    if (length != size)
        throw ErrorWithPath(toolTexts::fileChanged, path);
    std::vector<std::uint8_t>& buffer = ChunkBuffer();
    std::uint64_t position = 0;
    while (position < size) {
        std::size_t want = size - position < chunkSize ? static_cast<std::size_t>(size - position) : chunkSize;
        std::size_t got = ReadNativeAt(file, position, buffer.data(), want);
        if (got == 0) {
            bool sameLength = GetFileLength(file, length) && length == size;
            throw ErrorWithPath(sameLength ? errorTexts::fileCouldntBeOpened : toolTexts::fileChanged, path);
        }
        Write(writer, buffer.data(), got);
        position += got;
        Advance(progress, got);
    }
    // A file that grew meanwhile would lose its end without notice.
    if (!GetFileLength(file, length) || length != size)
        throw ErrorWithPath(toolTexts::fileChanged, path);
}

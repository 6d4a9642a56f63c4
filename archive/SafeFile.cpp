#include "SafeFile.h"

#include <cstring>

#include "CommandError.h"
#include "TemporaryName.h"

namespace {
constexpr std::size_t pendingCapacity = 1024 * 1024;

[[noreturn]] void Fail(SafeFileWriter& writer)
{
    throw ErrorWithPath(errorTexts::fileCouldntBeWritten, writer.targetPath);
}

void WritePending(SafeFileWriter& writer)
{
    if (!writer.pending.empty() && !WriteNative(writer.file, writer.pending.data(), writer.pending.size()))
        Fail(writer);
    writer.pending.clear();
}

// Beside the target, so the final rename never crosses a file system.
std::string TemporaryPathFor(const std::string& target)
{
    return FolderPart(target) + TemporaryName(NextTemporaryNonce());
}
}  // namespace

SafeFileWriter::SafeFileWriter(const std::string& target) : targetPath(target)
{
    // A taken name (a leftover of a crashed run) is skipped; any other failure is final.
    for (std::uint32_t attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = TemporaryPathFor(target);
        if (CreateNewFile(candidate, file)) {
            temporaryPath = candidate;
            pending.reserve(pendingCapacity);
            return;
        }
        NativeFile probe;
        if (!OpenForReading(candidate, probe))
            break;
    }
    Fail(*this);
}

SafeFileWriter::~SafeFileWriter()
{
    if (committed)
        return;
    if (IsOpen(file))
        file = NativeFile();
    RemoveFileQuietly(temporaryPath);
}

void Write(SafeFileWriter& writer, const void* bytes, std::size_t count)
{
    if (writer.pending.size() + count > pendingCapacity)
        WritePending(writer);
    if (count >= pendingCapacity) {
        if (!WriteNative(writer.file, bytes, count))
            Fail(writer);
        return;
    }
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    writer.pending.insert(writer.pending.end(), first, first + count);
}

void Commit(SafeFileWriter& writer)
{
    WritePending(writer);
    if (writer.flushToDisk && !FlushToDisk(writer.file))
        Fail(writer);
    if (!CloseNative(writer.file))
        Fail(writer);
    if (!ReplaceFileAtomically(writer.temporaryPath, writer.targetPath))
        Fail(writer);
    writer.committed = true;
    if (writer.flushToDisk)
        FlushFolderOf(writer.targetPath);
}

void WriteFileSafely(const std::string& path, const void* bytes, std::size_t count)
{
    SafeFileWriter writer(path);
    Write(writer, bytes, count);
    Commit(writer);
}

#include "SafeFile.h"

#include <cstring>

#include "CommandError.h"
#include "Names.h"

namespace {
constexpr std::size_t pendingCapacity = 1024 * 1024;
// A piece this large is worth a write call of its own (a few microseconds under wine, about
// what copying 64 KiB costs): it goes to the file without being copied.
constexpr std::size_t directWriteSize = 64 * 1024;

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

// A name of our own beside the target, so the final rename never crosses a file system.
std::string TemporaryPathFor(const std::string& target, std::uint32_t attempt)
{
    static std::uint32_t serial = 0;
    return FolderPart(target) + "." + BaseNamePart(target).substr(0, 100) + "." + FormatDecimal(ProcessId()) + "-" +
           FormatDecimal(++serial) + "-" + FormatDecimal(attempt) + ".tmp";
}
}  // namespace

SafeFileWriter::SafeFileWriter(const std::string& target) : targetPath(target)
{
    // A taken name (a leftover of a crashed run) is skipped; any other failure is final.
    for (std::uint32_t attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = TemporaryPathFor(target, attempt);
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

// Small pieces (directory records, small members) are gathered into large writes.
void Write(SafeFileWriter& writer, const void* bytes, std::size_t count)
{
    if (count >= directWriteSize) {
        WritePending(writer);
        if (!WriteNative(writer.file, bytes, count))
            Fail(writer);
        return;
    }
    if (writer.pending.size() + count > pendingCapacity)
        WritePending(writer);
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

#include "SafeFile.h"

#include <cstring>

#include "CommandError.h"
#include "TemporaryName.h"

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

// The buffer first: a writer whose constructor fails leaves no file behind.
void StartTemporaryFile(SafeFileWriter& writer)
{
    writer.pending.reserve(pendingCapacity);
    if (!CreateTemporaryFile(*writer.folder, writer.file, writer.temporaryName))
        Fail(writer);
}
}  // namespace

SafeFileWriter::SafeFileWriter(const std::string& target) : targetPath(target)
{
    if (!OpenFolderOfTarget(target, ownFolder, targetName))
        Fail(*this);
    RemoveDebrisIn(ownFolder);
    StartTemporaryFile(*this);
}

SafeFileWriter::SafeFileWriter(const NativeFolder& inFolder, std::string name, std::string shownPath)
    : targetPath(std::move(shownPath)), folder(&inFolder), targetName(std::move(name)), keepAttributes(false)
{
    StartTemporaryFile(*this);
}

SafeFileWriter::~SafeFileWriter()
{
    if (committed)
        return;
    file = NativeFile();
    if (!temporaryName.empty())
        RemoveFileIn(*folder, temporaryName);
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
    if (writer.keepAttributes && !KeepAttributes(*writer.folder, writer.targetName, writer.file))
        Fail(writer);
    // Until the commit, temporaryName is removed on failure: in place, the new target itself.
    bool inPlace = false;
    if (!NameTemporaryFile(*writer.folder, writer.file, writer.targetName, writer.temporaryName, inPlace))
        Fail(writer);
    if (!CloseNative(writer.file, inPlace ? nullptr : &writer.lock))
        Fail(writer);
    if (!inPlace && !ReplaceFileIn(*writer.folder, writer.temporaryName, writer.targetName))
        Fail(writer);
    writer.committed = true;
    writer.lock = NativeFile();
    if (writer.flushToDisk)
        FlushFolder(*writer.folder);
}

void WriteFileSafely(const std::string& path, const void* bytes, std::size_t count)
{
    SafeFileWriter writer(path);
    Write(writer, bytes, count);
    Commit(writer);
}

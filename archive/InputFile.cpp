#include "InputFile.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t bufferCapacity = 256 * 1024;

bool ReadFully(InputFile& input, std::uint64_t offset, std::uint8_t* out, std::size_t count)
{
    while (count > 0) {
        std::size_t got = ReadNativeAt(input.file, offset, out, count);
        if (got == 0) {
            input.readFailed = true;
            return false;
        }
        offset += got;
        out += got;
        count -= got;
    }
    return true;
}

bool Fill(InputFile& input, std::uint64_t offset)
{
    // No bigger than the file: a small file costs no quarter megabyte.
    if (input.storage.empty())
        input.storage.resize(static_cast<std::size_t>(std::min<std::uint64_t>(input.length, bufferCapacity)));
    std::uint64_t left = input.length > offset ? input.length - offset : 0;
    std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left, input.storage.size()));
    input.bufferedOffset = offset;
    bool ok = ReadFully(input, offset, input.storage.data(), want);
    input.buffered = std::span<const std::uint8_t>(input.storage).first(ok ? want : 0);
    return ok;
}

bool Buffered(const InputFile& input, std::uint64_t offset, std::size_t count)
{
    return offset >= input.bufferedOffset && offset - input.bufferedOffset <= input.buffered.size() &&
           count <= input.buffered.size() - (offset - input.bufferedOffset);
}
}  // namespace

bool OpenInputFile(const std::string& path, InputFile& input)
{
    input = InputFile();
    return OpenForReading(path, input.file) && GetFileLength(input.file, input.length);
}

void OpenInputMemory(std::span<const std::uint8_t> bytes, InputFile& input)
{
    input = InputFile();
    input.length = bytes.size();
    input.buffered = bytes;
}

bool ReadAt(InputFile& input, std::uint64_t offset, void* out, std::size_t count)
{
    if (offset > input.length || count > input.length - offset)
        return false;
    auto* bytes = static_cast<std::uint8_t*>(out);
    if (!Buffered(input, offset, count)) {
        // Large reads go straight to their destination.
        if (count >= bufferCapacity / 2)
            return ReadFully(input, offset, bytes, count);
        if (!Fill(input, offset))
            return false;
    }
    if (count > 0)
        std::memcpy(bytes, input.buffered.data() + (offset - input.bufferedOffset), count);
    return true;
}

std::span<const std::uint8_t> PeekAt(InputFile& input, std::uint64_t offset)
{
    if (offset >= input.length)
        return {};
    if (!Buffered(input, offset, 1) && !Fill(input, offset))
        return {};
    return input.buffered.subspan(static_cast<std::size_t>(offset - input.bufferedOffset));
}

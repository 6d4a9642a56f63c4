#include "InputFile.h"

#include <cstring>

namespace {
constexpr std::size_t bufferCapacity = 256 * 1024;

bool ReadFully(const NativeFile& file, std::uint64_t offset, std::uint8_t* out, std::size_t count)
{
    while (count > 0) {
        std::size_t got = ReadNativeAt(file, offset, out, count);
        if (got == 0)
            return false;
        offset += got;
        out += got;
        count -= got;
    }
    return true;
}

bool Fill(InputFile& input, std::uint64_t offset)
{
    input.buffer.resize(bufferCapacity);
    std::uint64_t left = input.length > offset ? input.length - offset : 0;
    std::size_t want = left < bufferCapacity ? static_cast<std::size_t>(left) : bufferCapacity;
    input.bufferOffset = offset;
    bool ok = ReadFully(input.file, offset, input.buffer.data(), want);
    input.buffer.resize(ok ? want : 0);
    return ok;
}

bool Buffered(const InputFile& input, std::uint64_t offset, std::size_t count)
{
    return offset >= input.bufferOffset && offset - input.bufferOffset <= input.buffer.size() &&
           count <= input.buffer.size() - (offset - input.bufferOffset);
}
}  // namespace

bool OpenInputFile(const std::string& path, InputFile& input)
{
    input = InputFile();
    return OpenForReading(path, input.file) && GetFileLength(input.file, input.length);
}

bool ReadAt(InputFile& input, std::uint64_t offset, void* out, std::size_t count)
{
    if (offset > input.length || count > input.length - offset)
        return false;
    auto* bytes = static_cast<std::uint8_t*>(out);
    if (count >= bufferCapacity / 2)
        return ReadFully(input.file, offset, bytes, count);
    if (!Buffered(input, offset, count) && !Fill(input, offset))
        return false;
    if (count > 0)
        std::memcpy(bytes, input.buffer.data() + (offset - input.bufferOffset), count);
    return true;
}

std::span<const std::uint8_t> PeekAt(InputFile& input, std::uint64_t offset)
{
    if (offset >= input.length)
        return {};
    if (!Buffered(input, offset, 1) && !Fill(input, offset))
        return {};
    std::size_t start = static_cast<std::size_t>(offset - input.bufferOffset);
    return std::span<const std::uint8_t>(input.buffer).subspan(start);
}

#include "Platform.h"

#include "FileSystem.h"

std::string JoinPath(const std::string& folder, std::string_view name)
{
    std::string path = folder;
    if (!path.empty() && !EndsInSeparator(path))
        path += pathSeparator;
    path.append(name);
    return path;
}

TerminalCharacter LoneByte(std::string_view text, std::size_t at)
{
    auto byte = static_cast<unsigned char>(text[at]);
    return TerminalCharacter{1, byte >= 0x80 && byte <= 0x9F};
}

#include "MemberNames.h"

#include "Characters.h"

std::string MemberNameFromPath(std::string_view path)
{
    std::size_t separator = FindLastCharacterOf(path, "\\");
    if (separator == std::string_view::npos || separator + 1 == path.size())
        return std::string(path);
    return std::string(path.substr(separator + 1));
}

std::string ExportFileName(std::string_view memberName, std::size_t maxLength)
{
    std::size_t separator = FindLastCharacterOf(memberName, "\\/");
    std::string_view base = separator == std::string_view::npos ? memberName : memberName.substr(separator + 1);
    std::string name(base.substr(0, WholeCharactersWithin(base, maxLength)));
    for (std::size_t at = 0, length = 0; at < name.size(); at += length) {
        length = CharacterLength(name, at);
        auto byte = static_cast<unsigned char>(name[at]);
        if (length == 1 && (byte < 32 || std::string_view("<>:\"|?*").find(name[at]) != std::string_view::npos))
            name[at] = '_';
    }
    return name;
}

#include "MemberNames.h"

std::string MemberNameFromPath(std::string_view path)
{
    std::size_t separator = path.rfind('\\');
    if (separator == std::string_view::npos || separator + 1 == path.size())
        return std::string(path);
    return std::string(path.substr(separator + 1));
}

std::string ExportFileName(std::string_view memberName, std::size_t maxLength)
{
    std::size_t separator = memberName.find_last_of("\\/");
    std::string_view base = separator == std::string_view::npos ? memberName : memberName.substr(separator + 1);
    std::string name(base.substr(0, maxLength));
    for (char& c : name) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
            c = '_';
    }
    return name;
}

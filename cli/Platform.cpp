#include "Platform.h"

std::string JoinPath(const std::string& folder, std::string_view name)
{
    std::string path = folder;
    bool endsInSeparator = !path.empty() && (path.back() == '/' || path.back() == pathSeparator);
    if (!path.empty() && !endsInSeparator)
        path += pathSeparator;
    path.append(name);
    return path;
}

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ErrorTexts.h"

// The failure a file-handling command raises and catches itself. Without a text the command
// ends quietly (a refused replacement, say).
struct CommandError {
    std::optional<std::string> text;
};

inline CommandError ErrorWithPath(std::string_view text, std::string_view path)
{
    return CommandError{TextWithPath(text, path)};
}

inline CommandError ErrorText(std::string_view text)
{
    return CommandError{std::string(text)};
}

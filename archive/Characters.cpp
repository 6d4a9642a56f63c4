#include "Characters.h"

namespace {
bool IsOneOf(std::string_view text, std::size_t at, std::size_t length, std::string_view set)
{
    return length == 1 && set.find(text[at]) != std::string_view::npos;
}
}  // namespace

std::size_t FindFirstCharacterOf(std::string_view text, std::string_view set)
{
    for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
        length = CharacterLength(text, at);
        if (IsOneOf(text, at, length, set))
            return at;
    }
    return std::string_view::npos;
}

// Forward: in a double-byte code page a byte's meaning depends on the bytes before it.
std::size_t FindLastCharacterOf(std::string_view text, std::string_view set)
{
    std::size_t found = std::string_view::npos;
    for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
        length = CharacterLength(text, at);
        if (IsOneOf(text, at, length, set))
            found = at;
    }
    return found;
}

std::size_t WholeCharactersWithin(std::string_view text, std::size_t maxLength)
{
    std::size_t end = 0;
    while (end < text.size()) {
        std::size_t next = end + CharacterLength(text, end);
        if (next > maxLength)
            break;
        end = next;
    }
    return end;
}

#include "Platform.h"

TerminalCharacter LoneByte(std::string_view text, std::size_t at)
{
    auto byte = static_cast<unsigned char>(text[at]);
    return TerminalCharacter{1, byte >= 0x80 && byte <= 0x9F};
}

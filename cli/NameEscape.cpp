#include "NameEscape.h"

#include "Characters.h"

namespace {
void AppendHex(std::string& escaped, unsigned char byte)
{
    static constexpr char hexDigits[] = "0123456789abcdef";
    escaped += "\\x";
    escaped += hexDigits[byte >> 4];
    escaped += hexDigits[byte & 0xF];
}
}  // namespace

std::string EscapeName(std::string_view name)
{
    std::string escaped;
    escaped.reserve(name.size());
    for (std::size_t at = 0, length = 0; at < name.size(); at += length) {
        length = CharacterLength(name, at);
        auto byte = static_cast<unsigned char>(name[at]);
        if (length > 1)
            escaped.append(name.substr(at, length));
        else if (byte == '\\')
            escaped += "\\\\";
        else if (byte < 0x20 || byte == 0x7F)
            AppendHex(escaped, byte);
        else
            escaped += name[at];
    }
    return escaped;
}

std::string EscapeForTerminal(std::string_view text, const TerminalReader& terminal)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        TerminalCharacter character = terminal(text, at);
        for (std::size_t i = 0; i < character.length; ++i) {
            if (character.control)
                AppendHex(escaped, static_cast<unsigned char>(text[at + i]));
            else
                escaped += text[at + i];
        }
        at += character.length;
    }
    return escaped;
}

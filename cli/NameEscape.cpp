#include "NameEscape.h"

std::string EscapeName(std::string_view name)
{
    static constexpr char hexDigits[] = "0123456789abcdef";
    std::string escaped;
    escaped.reserve(name.size());
    for (char c : name) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            escaped += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F) {
            escaped += "\\x";
            escaped += hexDigits[byte >> 4];
            escaped += hexDigits[byte & 0xF];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "Characters.h"

namespace {
// A UTF-8 lead byte's sequence length.
std::size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 1;
}

// Second bytes of double-byte code pages lie in 0x40 to 0xFE; a control, a blank, a digit,
// '.', '/' or ':' never belongs to the character before it.
bool CanBeSecondByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}
}  // namespace

std::size_t CharacterLengthIn(unsigned codePage, std::string_view text, std::size_t at)
{
    auto lead = static_cast<unsigned char>(text[at]);
    if (codePage == CP_UTF8) {
        std::size_t length = Utf8SequenceLength(lead);
        if (at + length > text.size())
            return 1;
        for (std::size_t i = 1; i < length; ++i) {
            auto next = static_cast<unsigned char>(text[at + i]);
            if (next < 0x80 || next > 0xBF)
                return 1;
        }
        return length;
    }
    if (at + 1 < text.size() && ::IsDBCSLeadByteEx(codePage, lead) &&
        CanBeSecondByte(static_cast<unsigned char>(text[at + 1])))
        return 2;
    return 1;
}

std::size_t CharacterLength(std::string_view text, std::size_t at)
{
    return CharacterLengthIn(CP_ACP, text, at);
}

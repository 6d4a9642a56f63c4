#include "Names.h"

#include <cstring>

std::string FormatDecimal(std::uint32_t value)
{
    char digits[10];
    std::size_t start = sizeof digits;
    do {
        digits[--start] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return std::string(digits + start, sizeof digits - start);
}

bool NamesEqual(std::string_view entryName, std::string_view candidate)
{
    return entryName.size() == candidate.size() &&
           std::memcmp(entryName.data(), candidate.data(), entryName.size()) == 0;
}

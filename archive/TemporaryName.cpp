#include "TemporaryName.h"

#include <chrono>

#include "FileSystem.h"

namespace {
constexpr char hexDigits[] = "0123456789abcdef";

std::uint32_t Check(std::uint16_t nonce)
{
    std::uint32_t mixed = (nonce + 0x7A3Du) * 0x9E3779B1u;
    return (mixed >> 17) & 0xFFFu;
}

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
}  // namespace

std::string TemporaryName(std::uint16_t nonce)
{
    std::uint32_t value = static_cast<std::uint32_t>(nonce) << 12 | Check(nonce);
    std::string name = "~0000000.tmp";
    for (std::size_t i = 7; i >= 1; --i, value >>= 4)
        name[i] = hexDigits[value & 0xF];
    return name;
}

bool IsTemporaryName(std::string_view name)
{
    if (name.size() != temporaryNameLength || name[0] != '~' || name.substr(8) != ".tmp")
        return false;
    std::uint32_t value = 0;
    for (std::size_t i = 1; i <= 7; ++i) {
        int digit = DigitValue(name[i]);
        if (digit < 0)
            return false;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return Check(static_cast<std::uint16_t>(value >> 12)) == (value & 0xFFFu);
}

std::uint16_t NextTemporaryNonce()
{
    // Starts where the clock and the process id say, then steps by an odd number: every value
    // comes once in 65,536 calls, and two processes rarely start at the same place.
    static std::uint16_t nonce = [] {
        auto ticks = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        std::uint32_t seed = static_cast<std::uint32_t>(ticks ^ (ticks >> 32)) ^ ProcessId() * 0x85EBCA6Bu;
        seed ^= seed >> 16;
        return static_cast<std::uint16_t>(seed);
    }();
    nonce = static_cast<std::uint16_t>(nonce + 0x9E37u);
    return nonce;
}

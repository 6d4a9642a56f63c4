#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Plain decimal digits, "0" for zero; independent of the locale.
std::string FormatDecimal(std::uint32_t value);

// The one name comparison of the system: same length and same bytes, letter case counts.
bool NamesEqual(std::string_view entryName, std::string_view candidate);

#pragma once

#include <string>
#include <string_view>

// A member name as `viv list` and the messages print it: a backslash as "\\", bytes below
// 0x20 and 0x7F as "\xHH"; every other byte as it is. Names never reach a terminal raw.
std::string EscapeName(std::string_view name);

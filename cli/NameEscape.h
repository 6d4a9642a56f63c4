#pragma once

#include <string>
#include <string_view>

#include "Platform.h"

// A member name as `viv list` and the messages print it: a backslash as "\\", bytes below
// 0x20 and 0x7F as "\xHH"; every other byte as it is. By character (Characters.h): the second
// byte of a double-byte character stays as it is, '\' included.
std::string EscapeName(std::string_view name);

// Text on its way to a terminal: each character the terminal takes for a C1 control, and each
// byte 0x80 to 0x9F that begins none of its characters, as "\xHH" byte by byte. Whole
// characters stay as they are, with the bytes 0x80 to 0x9F inside them (UTF-8 continuation
// bytes, lead bytes of code page 932). Nothing else changes, so a name escaped by EscapeName
// keeps its meaning.
std::string EscapeForTerminal(std::string_view text, const TerminalReader& terminal);

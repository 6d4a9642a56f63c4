#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The one rule for the names of the safe writer's temporary files, which stand beside their
// target: "~", seven lowercase hex digits, ".tmp" (12 characters). Short, so that on Windows
// every target of up to 259 characters whose own name has at least 12, and every target of up
// to 247, leaves room for its temporary file within MAX_PATH.
//
// The first four digits are a nonce; the last three are a check of them. A file of this shape
// made by another program passes the check one time in 4096, so debris can be told from
// other files by the name before anything else is looked at.
inline constexpr std::size_t temporaryNameLength = 12;

std::string TemporaryName(std::uint16_t nonce);
bool IsTemporaryName(std::string_view name);

// A nonce that differs from one call to the next and from one process to another.
std::uint16_t NextTemporaryNonce();

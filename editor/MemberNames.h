#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Both scan by character (Characters.h): in a double-byte code page a '\' or '|' byte may be
// the second half of a character, which stays whole.

// The name an imported file gets: the text after the path's last backslash, or the whole path
// when there is none or nothing follows it.
std::string MemberNameFromPath(std::string_view path);

// The file name Export offers for a member: only the part after its last '\' or '/', with the
// characters Windows refuses in file names replaced by '_', at most maxLength bytes, never
// ending inside a character. A member's name must not steer the dialog into another folder.
std::string ExportFileName(std::string_view memberName, std::size_t maxLength);

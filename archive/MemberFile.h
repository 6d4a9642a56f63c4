#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Document.h"
#include "InputFile.h"

// Opens a loose file that is to become a member: "File couldn't be opened:\n" + path when it
// cannot be opened, "File is too large:\n" + path from 4 GiB on (its length would not fit a
// member's size).
void OpenMemberFile(const std::string& path, InputFile& input);

// A loose file read whole as a member's data. Raises a CommandError: "File couldn't be
// opened:\n" + path when it cannot be opened or the read comes up short, "File is too
// large:\n" + path from 4 GiB on (its length would not fit a member's size), and "Memory
// couldn't be allocated." when there is no room for it.
MemberData ReadMemberFile(const std::string& path);

#pragma once

#include <string_view>
#include <vector>

// Splits a member name into the folders and file of a relative path, when it is safe to
// write on any system: split at '/' and '\'; no component empty, "." or ".."; no ':' (drives,
// streams); no byte below 0x20 nor any of < > " | ? *; no name that Windows reserves for a
// device, with or without an extension; nothing ending in '.' or ' '; no component over 255
// bytes. False for any other name, and components are then of no use.
bool SplitSafeName(std::string_view name, std::vector<std::string_view>& components);

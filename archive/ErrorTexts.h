#pragma once

#include <string>
#include <string_view>

// Every text the system shows for a failure. The editor's message boxes and viv's stderr use
// these same words; a text ending in a line feed is followed by the path it is about.
namespace errorTexts {
inline constexpr std::string_view fileCouldntBeOpened = "File couldn't be opened:\n";
inline constexpr std::string_view notValidVivFile = "File is not a valid VIV file:\n";
inline constexpr std::string_view fileCouldntBeWritten = "File couldn't be written:\n";
inline constexpr std::string_view fileTooLarge = "File is too large:\n";
inline constexpr std::string_view memoryCouldntBeAllocated = "Memory couldn't be allocated.";
inline constexpr std::string_view archiveTooLarge = "Archive is too large to be saved.";
inline constexpr std::string_view noFileSelected = "No file selected.";
inline constexpr std::string_view fileNameAlreadyExists = "File name already exists.";
// Any other failure that reaches the editor's command dispatch.
inline constexpr std::string_view commandFailed = "The command couldn't be completed.";
}  // namespace errorTexts

inline std::string TextWithPath(std::string_view text, std::string_view path)
{
    std::string result(text);
    result += path;
    return result;
}

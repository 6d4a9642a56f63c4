#pragma once

// Text by character. Names and paths are 8-bit text in the system's code page. On Windows that
// may be a double-byte code page (932, 936, 949, 950), whose second bytes include '\' and '|'
// (ソ is 83 5C and ポ is 83 7C in code page 932): a scan byte by byte would split such a
// character at a "separator" inside it. So there text is walked character by character in the
// active code page. On POSIX a character is one byte: no encoding it allows puts '/' inside a
// character, and names there are plain bytes.

#include <cstddef>
#include <string_view>

// The length in bytes of the character that begins at text[at]: 2 for a lead byte followed by
// a byte that can be a second byte (0x40 to 0xFE but 0x7F; never a control, a blank, a digit,
// '/' or ':'), otherwise 1.
std::size_t CharacterLength(std::string_view text, std::size_t at);

#ifdef _WIN32
// The same in a code page of the caller's choice (a console's, for one); in CP_UTF8 a whole
// well-formed sequence.
std::size_t CharacterLengthIn(unsigned codePage, std::string_view text, std::size_t at);
#endif

// The position of the first or the last character of text that is one of the single-byte
// characters in set, or npos. A byte inside a double-byte character never matches.
std::size_t FindFirstCharacterOf(std::string_view text, std::string_view set);
std::size_t FindLastCharacterOf(std::string_view text, std::string_view set);

// The length of the longest start of text of at most maxLength bytes that does not end inside
// a character.
std::size_t WholeCharactersWithin(std::string_view text, std::size_t maxLength);

#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "CommandError.h"
#include "Document.h"

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(std::string_view text);
Bytes Be32(std::uint32_t value);
Bytes Concat(std::initializer_list<Bytes> parts);
Bytes Header(std::uint32_t archiveSize, std::uint32_t entryCount, std::uint32_t dataStart);
Bytes Record(std::uint32_t offset, std::uint32_t size, std::string_view name);

// A fresh folder, removed with everything in it at the end of the test.
struct TempFolder {
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string File(std::string_view name) const;
    std::vector<std::string> Names() const;
    // A file path of exactly length characters whose own name has nameLength, in a sub-folder
    // made to fill the rest (Windows' limit is 259).
    std::string PathOfLength(std::size_t length, std::size_t nameLength) const;

    std::filesystem::path path;
};

// Names in code page 932 whose second byte is '\' or '|' (sources are UTF-8, so as escapes).
namespace cp932 {
inline const std::string so = "\x83\x5c";                            // ソ
inline const std::string software = "\x83\x5c\x83\x74\x83\x67.bin";  // ソフト.bin
inline const std::string table = "\x95\x5c.txt";                     // 表.txt
inline const std::string po = "\x83\x7c.txt";                        // ポ.txt
}  // namespace cp932

void WriteBytes(const std::string& path, const Bytes& bytes);
Bytes ReadBytes(const std::string& path);

ArchiveEntry Entry(std::string_view name, std::string_view data);

// The text of the CommandError that operation raises, "" when it raises none.
template <typename Operation>
std::string ErrorOf(Operation operation)
{
    try {
        operation();
    } catch (const CommandError& error) {
        return error.text.value_or("(no text)");
    }
    return "";
}

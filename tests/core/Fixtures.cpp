#include "Fixtures.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include <gtest/gtest.h>

Bytes BytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

Bytes Be32(std::uint32_t value)
{
    return Bytes{static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
                 static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes result;
    for (const Bytes& part : parts)
        result.insert(result.end(), part.begin(), part.end());
    return result;
}

Bytes Header(std::uint32_t archiveSize, std::uint32_t entryCount, std::uint32_t dataStart)
{
    return Concat({BytesOf("BIGF"), Be32(archiveSize), Be32(entryCount), Be32(dataStart)});
}

Bytes Record(std::uint32_t offset, std::uint32_t size, std::string_view name)
{
    return Concat({Be32(offset), Be32(size), BytesOf(name), Bytes{0}});
}

TempFolder::TempFolder()
{
    std::random_device random;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("tamsel-") + (test ? test->name() : "test") + "-" + std::to_string(random());
    std::replace(name.begin(), name.end(), '/', '_');
    path = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(path);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

// The name is appended as bytes: std::filesystem would convert it, and not in the code page.
std::string TempFolder::File(std::string_view name) const
{
    std::string file = path.string() + static_cast<char>(std::filesystem::path::preferred_separator);
    for (char c : name)
        file += c == '/' ? static_cast<char>(std::filesystem::path::preferred_separator) : c;
    return file;
}

std::vector<std::string> TempFolder::Names() const
{
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(path))
        names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string TempFolder::PathOfLength(std::size_t length, std::size_t nameLength) const
{
    std::string base = File("");
    if (base.size() + nameLength + 2 > length)
        throw std::runtime_error("the temporary folder's path is too long for " + std::to_string(length));
    std::string folder = base + std::string(length - base.size() - nameLength - 1, 'f');
    std::filesystem::create_directory(folder);
    return (std::filesystem::path(folder) / std::string(nameLength, 'n')).make_preferred().string();
}

void WriteBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write fixture " + path);
}

Bytes ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ArchiveEntry Entry(std::string_view name, std::string_view data)
{
    return ArchiveEntry{std::string(name), MemberData(data.begin(), data.end())};
}

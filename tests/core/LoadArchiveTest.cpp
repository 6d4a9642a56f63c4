#include <gtest/gtest.h>

#include <filesystem>

#include "CommandError.h"
#include "Fixtures.h"
#include "InputFile.h"
#include "MemberFile.h"
#include "VivArchive.h"


namespace {
const Bytes emptyArchive = Header(16, 0, 16);
const Bytes oneMemberArchive = Concat({Header(33, 1, 30), Record(30, 3, "a.txt"), BytesOf("abc")});

struct Loaded {
    std::string name;
    std::string data;
    bool operator==(const Loaded&) const = default;
};

[[maybe_unused]] void PrintTo(const Loaded& loaded, std::ostream* out)
{
    *out << "{\"" << loaded.name << "\", \"" << loaded.data << "\"}";
}

std::vector<Loaded> Contents(const EntryTable& table)
{
    std::vector<Loaded> result;
    for (const ArchiveEntry& entry : table)
        result.push_back({entry.name, std::string(entry.data.begin(), entry.data.end())});
    return result;
}

// The message of the CommandError that loading raises, or "" when it loads.
std::string LoadError(const std::string& path, EntryTable& table)
{
    try {
        LoadArchive(path, table);
    } catch (const CommandError& error) {
        return error.text.value_or("(no text)");
    }
    return "";
}

std::string MemberFileError(const std::string& path)
{
    try {
        ReadMemberFile(path);
    } catch (const CommandError& error) {
        return error.text.value_or("(no text)");
    }
    return "";
}
}  // namespace

TEST(LoadArchive, ReadsTheSmallestArchives)
{
    TempFolder folder;
    std::string path = folder.File("a.viv");

    WriteBytes(path, emptyArchive);
    EntryTable table;
    LoadArchive(path, table);
    EXPECT_TRUE(table.empty());

    WriteBytes(path, oneMemberArchive);
    LoadArchive(path, table);
    EXPECT_EQ(Contents(table), (std::vector<Loaded>{{"a.txt", "abc"}}));
    EXPECT_EQ(table[0].size(), 3u);
}

// Oddities that a reader meets in archives from elsewhere and reads as the records say.
TEST(LoadArchive, ToleratesWhatTheFormatAllows)
{
    const struct {
        const char* what;
        Bytes file;
        std::vector<Loaded> expected;
    } cases[] = {
        {"wrong archiveSize and dataStart", Concat({Header(999, 1, 7), Record(30, 3, "a.txt"), BytesOf("abc")}),
         {{"a.txt", "abc"}}},
        {"offsets out of order", Concat({Header(0, 2, 0), Record(38, 2, "a"), Record(36, 2, "b"), BytesOf("BBAA")}),
         {{"a", "AA"}, {"b", "BB"}}},
        {"gaps and unreferenced bytes", Concat({Header(0, 2, 0), Record(40, 1, "a"), Record(44, 1, "b"), BytesOf("xxxxAxxxBxx")}),
         {{"a", "A"}, {"b", "B"}}},
        {"overlapping members", Concat({Header(0, 2, 0), Record(36, 4, "a"), Record(37, 2, "b"), BytesOf("wxyz")}),
         {{"a", "wxyz"}, {"b", "xy"}}},
        {"empty, duplicate and path-like names",
         Concat({Header(0, 4, 0), Record(0, 0, ""), Record(0, 0, "d"), Record(0, 0, "d"), Record(0, 1, "dir\\x/y"), }),
         {{"", ""}, {"d", ""}, {"d", ""}, {"dir\\x/y", "B"}}},
        {"zero-size member pointing past its neighbours", Concat({Header(0, 2, 0), Record(36, 0, "e"), Record(36, 1, "f"), BytesOf("F")}),
         {{"e", ""}, {"f", "F"}}},
        {"bytes above 127 in a name", Concat({Header(0, 1, 0), Record(32, 1, "\xe9t\xe9.txt"), BytesOf("Z")}),
         {{"\xe9t\xe9.txt", "Z"}}},
        {"last name without its NUL", Concat({Header(0, 1, 0), Be32(0), Be32(2), BytesOf("name")}),
         {{"name", "BI"}}},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        std::string path = folder.File("odd.viv");
        WriteBytes(path, c.file);
        EntryTable table;
        std::string error = LoadError(path, table);
        EXPECT_EQ(error, "") << c.what;
        EXPECT_EQ(Contents(table), c.expected) << c.what;
    }
}

TEST(LoadArchive, RefusesDamagedFilesWhole)
{
    const struct {
        const char* what;
        Bytes file;
    } cases[] = {
        {"empty file", {}},
        {"shorter than the magic", BytesOf("BIG")},
        {"wrong magic", Concat({BytesOf("BIGH"), Be32(16), Be32(0), Be32(16)})},
        {"lower-case magic", Concat({BytesOf("bigf"), Be32(16), Be32(0), Be32(16)})},
        {"magic only", BytesOf("BIGF")},
        {"header cut short", Concat({BytesOf("BIGF"), Be32(16), Be32(0)})},
        {"four billion entries in 16 bytes", Header(16, 0xFFFFFFFFu, 16)},
        {"more entries than records fit", Concat({Header(0, 3, 0), Record(0, 0, "a"), Record(0, 0, "b")})},
        {"record fields cut short", Concat({Header(0, 2, 0), Record(0, 0, "a"), Be32(0), Bytes{0, 0}})},
        {"data past the end", Concat({Header(0, 1, 0), Record(30, 4, "a.txt"), BytesOf("abc")})},
        {"offset past the end", Concat({Header(0, 1, 0), Record(1000, 0, "a.txt")})},
        {"offset plus size wraps around", Concat({Header(0, 1, 0), Record(0xFFFFFFFFu, 2, "a.txt"), BytesOf("ab")})},
        {"a later record damaged", Concat({Header(0, 2, 0), Record(36, 1, "a"), Record(36, 9, "b"), BytesOf("x")})},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        std::string path = folder.File("bad.viv");
        WriteBytes(path, c.file);
        EntryTable table;
        EXPECT_EQ(LoadError(path, table), "File is not a valid VIV file:\n" + path) << c.what;
        EXPECT_TRUE(table.empty()) << c.what;
    }
}

TEST(LoadArchive, ReportsAFileThatCannotBeOpened)
{
    TempFolder folder;
    EntryTable table;
    for (const std::string& path : {folder.File("missing.viv"), folder.path.string()})
        EXPECT_EQ(LoadError(path, table), "File couldn't be opened:\n" + path);
    EXPECT_TRUE(table.empty());
}

// Only a regular file is read: a device would be read as an empty or an endless file, and a
// FIFO would hold the program until someone writes to it. Each is refused as a file that
// couldn't be opened, by Open and Import alike.
TEST(LoadArchive, RefusesWhatIsNotARegularFile)
{
    TempFolder folder;
#ifdef _WIN32
    const std::string device = "NUL";
#else
    const std::string device = "/dev/null";  // FIFOs: in the tool's tests, in a process of their own
#endif
    for (const std::string& path : {device, folder.path.string()}) {
        EntryTable table;
        EXPECT_EQ(LoadError(path, table), "File couldn't be opened:\n" + path);
        EXPECT_EQ(MemberFileError(path), "File couldn't be opened:\n" + path);
        InputFile input;
        EXPECT_FALSE(OpenInputFile(path, input)) << path;
    }
}

// Members whose sizes add up past 4 GiB could never be saved again; the records overlap in a
// 2 GiB sparse file, so the refusal must come before any data is read.
TEST(LoadArchive, RefusesSizesAddingUpPastTheFormatsLimit)
{
    TempFolder folder;
    std::string path = folder.File("huge.viv");
    WriteBytes(path, Concat({Header(0, 2, 0), Record(16, 0x80000001u, "a"), Record(16, 0x80000001u, "b")}));
    std::error_code error;
    std::filesystem::resize_file(path, 0x80000001u + 16u, error);
    if (error)
        GTEST_SKIP() << "no sparse 2 GiB file here: " << error.message();
    EntryTable table;
    EXPECT_EQ(LoadError(path, table), "File is not a valid VIV file:\n" + path);
    EXPECT_TRUE(table.empty());
}

// Every prefix of a valid archive is refused whole, or, where the cut only shortens a last name
// that ends the file, read with that shorter name; never a crash and never half a table.
TEST(LoadArchive, TruncationSweep)
{
    const Bytes packed = Concat({Header(50, 2, 42), Record(42, 3, "a.txt"), Record(45, 5, "b.b"), BytesOf("abcHELLO")});
    // Its member is the magic itself, so the name can run to the end of the file.
    const Bytes nameLast = Concat({Header(0, 1, 0), Record(0, 4, "last.bin")});
    TempFolder folder;
    std::string path = folder.File("cut.viv");
    for (const Bytes* full : {&packed, &nameLast}) {
        for (std::size_t length = 0; length <= full->size(); ++length) {
            WriteBytes(path, Bytes(full->begin(), full->begin() + static_cast<std::ptrdiff_t>(length)));
            EntryTable table;
            std::string error = LoadError(path, table);
            std::vector<Loaded> expected;
            if (full == &packed && length == packed.size())
                expected = {{"a.txt", "abc"}, {"b.b", "HELLO"}};
            else if (full == &nameLast && length >= 25)  // a record takes at least 9 bytes
                expected = {{std::string("last.bin").substr(0, length - 24), "BIGF"}};
            if (expected.empty())
                EXPECT_EQ(error, "File is not a valid VIV file:\n" + path) << length;
            else
                EXPECT_EQ(error, "") << length;
            EXPECT_EQ(Contents(table), expected) << length;
        }
    }
}

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "CommandError.h"
#include "FileSystem.h"
#include "Fixtures.h"
#include "InputFile.h"
#include "SafeFile.h"
#include "TemporaryName.h"
#include "VivArchive.h"

namespace {
struct FailureOff {
    ~FailureOff() { InjectWriteFailure(0, false); }
};

struct NamedTemporaryFilesOff {
    ~NamedTemporaryFilesOff() { UseNamedTemporaryFiles(false); }
};

std::string WriteError(const std::function<void()>& write)
{
    try {
        write();
    } catch (const CommandError& error) {
        return error.text.value_or("(no text)");
    }
    return "";
}
}  // namespace

// A failure at any step of a save (create, each write, flush, close, replace) leaves the old
// archive byte for byte, raises the error and leaves no temporary file; the loop runs until a
// save gets through all its steps.
TEST(SafeFile, AFailedSaveLeavesTheTargetAsItWas)
{
    FailureOff off;
    TempFolder folder;
    std::string path = folder.File("doc.viv");
    const Bytes original = Concat({Header(33, 1, 30), Record(30, 3, "a.txt"), BytesOf("abc")});
    EntryTable table;
    table.push_back(Entry("big.bin", std::string(3 * 1024 * 1024, 'x')));  // several writes
    table.push_back(Entry("b", "bb"));

    for (bool andAfter : {false, true}) {
        int steps = 0;
        for (int nth = 1;; ++nth) {
            ASSERT_LT(nth, 100) << "the save never succeeded";
            WriteBytes(path, original);
            InjectWriteFailure(nth, andAfter);
            std::string error = WriteError([&] { SaveArchive(path, table); });
            InjectWriteFailure(0, false);
            if (error.empty()) {
                steps = nth;
                break;
            }
            EXPECT_EQ(error, "File couldn't be written:\n" + path) << "step " << nth;
            EXPECT_EQ(ReadBytes(path), original) << "step " << nth;
            EXPECT_EQ(folder.Names(), std::vector<std::string>{"doc.viv"}) << "step " << nth;
        }
        // create, at least two writes, flush, close, replace
        EXPECT_GE(steps, 7);
        EntryTable loaded;
        LoadArchive(path, loaded);
        EXPECT_EQ(loaded.size(), 2u);
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"doc.viv"});
    }
}

TEST(SafeFile, ReportsTargetsThatCannotBeWritten)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.path / "taken");
    for (const std::string& path : {folder.File("missing/doc.viv"), folder.File("taken")}) {
        EXPECT_EQ(WriteError([&] { SaveArchive(path, EntryTable{}); }), "File couldn't be written:\n" + path);
        EXPECT_EQ(WriteError([&] { WriteFileSafely(path, "x", 1); }), "File couldn't be written:\n" + path);
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.path / "taken"));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"taken"});
}

TEST(SafeFile, ReplacesAnExistingFileWhole)
{
    TempFolder folder;
    std::string path = folder.File("member.txt");
    WriteBytes(path, BytesOf("a much longer old content"));
    WriteFileSafely(path, "new", 3);
    EXPECT_EQ(ReadBytes(path), BytesOf("new"));
    WriteFileSafely(path, "", 0);
    EXPECT_EQ(ReadBytes(path), Bytes{});
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"member.txt"});
}

// Named, the temporary file follows the one rule; on Linux it may have no name at all.
TEST(SafeFile, AnAbandonedWriterRemovesItsTemporaryFile)
{
    NamedTemporaryFilesOff off;
    for (bool named : {true, false}) {
        UseNamedTemporaryFiles(named);
        TempFolder folder;
        std::string path = folder.File("out.bin");
        {
            SafeFileWriter writer(path);
            Write(writer, "partial", 7);
            if (named || !writer.temporaryName.empty()) {
                ASSERT_EQ(folder.Names().size(), 1u);
                EXPECT_TRUE(IsTemporaryName(folder.Names()[0])) << folder.Names()[0];
            } else {
                EXPECT_TRUE(folder.Names().empty());
            }
        }
        EXPECT_TRUE(folder.Names().empty());
    }
}

// The temporary file's name is short, so every target that Windows can name at all (259
// characters) can be written as long as its own name has at least 12 characters, and every
// target of up to 247 characters whatever its name.
TEST(SafeFile, WritesTargetsUpToTheLongestWindowsPath)
{
    const struct {
        std::size_t length;
        std::size_t nameLength;
    } cases[] = {{259, 12}, {259, 40}, {247, 1}, {247, 11}};
    for (const auto& c : cases) {
        TempFolder folder;
        std::string path = folder.PathOfLength(c.length, c.nameLength);
        ASSERT_EQ(path.size(), c.length);
        EXPECT_EQ(WriteError([&] { WriteFileSafely(path, "first", 5); }), "") << c.length << " " << c.nameLength;
        EXPECT_EQ(WriteError([&] { SaveArchive(path, EntryTable{}); }), "") << c.length << " " << c.nameLength;
        InputFile written;
        ASSERT_TRUE(OpenInputFile(path, written)) << c.length << " " << c.nameLength;
        EXPECT_EQ(written.length, 16u);
    }
}

TEST(TemporaryName, IsShortAndTellsOurNamesFromOthers)
{
    for (std::uint16_t nonce : std::initializer_list<std::uint16_t>{0x0000, 0x0001, 0x1234, 0xFFFF}) {
        std::string name = TemporaryName(nonce);
        EXPECT_EQ(name.size(), 12u) << name;
        EXPECT_TRUE(IsTemporaryName(name)) << name;
        // Another nonce with this one's check, and the same name in other letters, are not ours.
        std::string other = TemporaryName(static_cast<std::uint16_t>(nonce + 1));
        EXPECT_FALSE(IsTemporaryName(other.substr(0, 5) + name.substr(5))) << name;
        std::string upper = name;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_FALSE(IsTemporaryName(upper)) << upper;
    }
    for (const char* name : {"", "~", "~DF1A2B.TMP", "~WRL0001.tmp", "~0000000.tmp", "~00000000.tmp", "~000000.tmp",
                             "x0000000.tmp", "~000000g.tmp", "~0000000.tmq", "doc.viv"})
        EXPECT_FALSE(IsTemporaryName(name)) << name;
    std::uint16_t first = NextTemporaryNonce();
    EXPECT_NE(NextTemporaryNonce(), first);
}

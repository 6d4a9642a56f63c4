#include <gtest/gtest.h>

#include <filesystem>

#include "CommandError.h"
#include "FileSystem.h"
#include "Fixtures.h"
#include "SafeFile.h"
#include "VivArchive.h"

namespace {
struct FailureOff {
    ~FailureOff() { InjectWriteFailure(0, false); }
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

TEST(SafeFile, AnAbandonedWriterRemovesItsTemporaryFile)
{
    TempFolder folder;
    std::string path = folder.File("out.bin");
    {
        SafeFileWriter writer(path);
        Write(writer, "partial", 7);
        EXPECT_EQ(folder.Names().size(), 1u);
    }
    EXPECT_TRUE(folder.Names().empty());
}

// Small pieces are gathered and large ones written as they come: whatever the mix, the file
// holds every byte in the order written.
TEST(SafeFile, PiecesOfEverySizeArriveInOrder)
{
    TempFolder folder;
    std::string path = folder.File("mixed.bin");
    const std::size_t sizes[] = {1,          100,         64 * 1024 - 1, 64 * 1024, 3,           1024 * 1024 - 5,
                                 7,          1024 * 1024, 2,             64 * 1024 + 1, 1024 * 1024 + 9, 0,
                                 500 * 1024, 600 * 1024,  5};
    Bytes expected;
    {
        SafeFileWriter writer(path);
        for (std::size_t i = 0; i < std::size(sizes); ++i) {
            Bytes piece(sizes[i]);
            for (std::size_t j = 0; j < piece.size(); ++j)
                piece[j] = static_cast<std::uint8_t>(i * 31 + j % 251);
            Write(writer, piece.data(), piece.size());
            expected.insert(expected.end(), piece.begin(), piece.end());
        }
        Commit(writer);
    }
    EXPECT_TRUE(ReadBytes(path) == expected);
}

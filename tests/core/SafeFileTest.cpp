#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "CommandError.h"
#include "FileSystem.h"
#include "Fixtures.h"
#include "InputFile.h"
#include "SafeFile.h"
#include "TemporaryName.h"
#include "VivArchive.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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

// The same for a file that did not exist: a failure at any step leaves nothing at all (on
// Linux the new file takes the free name directly, and is removed again if its close fails).
TEST(SafeFile, AFailedWriteOfANewFileLeavesNothing)
{
    FailureOff off;
    TempFolder folder;
    std::string path = folder.File("new.bin");
    for (int nth = 1;; ++nth) {
        ASSERT_LT(nth, 100) << "the write never succeeded";
        InjectWriteFailure(nth, false);
        std::string error = WriteError([&] { WriteFileSafely(path, "content", 7); });
        InjectWriteFailure(0, false);
        if (error.empty())
            break;
        EXPECT_EQ(error, "File couldn't be written:\n" + path) << "step " << nth;
        EXPECT_TRUE(folder.Names().empty()) << "step " << nth;
    }
    EXPECT_EQ(ReadBytes(path), BytesOf("content"));
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

// The next write into a folder removes the temporary files that writers which no longer run
// left there, and nothing else: not a file another writer still holds, not a name that only
// looks like ours, not a folder, link or a file with a second name (POSIX), nor one of
// another user's (POSIX, as root).
TEST(SafeFile, TheNextWriteRemovesDebrisAndNothingElse)
{
    TempFolder folder;
    std::string target = folder.File("doc.viv");
    WriteBytes(target, BytesOf("old"));
    const std::string debris = TemporaryName(0x0001);
    const std::string held = TemporaryName(0x0002);
    WriteBytes(folder.File(debris), BytesOf("left by a killed run"));
    WriteBytes(folder.File(held), BytesOf("being written"));
    std::vector<std::string> kept = {"doc.viv", held};
    for (const char* other : {"~0000000.tmp", "~DF1A2B.TMP", "~WRL0001.tmp", "x.tmp"}) {
        WriteBytes(folder.File(other), BytesOf("another program's"));
        kept.push_back(other);
    }
    std::filesystem::create_directory(folder.path / TemporaryName(0x0003));
    kept.push_back(TemporaryName(0x0003));
#ifdef _WIN32
    // A writer holds its file without delete sharing.
    HANDLE holder = CreateFileA(folder.File(held).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
#else
    // A writer holds a lock on its file.
    int holder = ::open(folder.File(held).c_str(), O_RDWR);
    ASSERT_EQ(::flock(holder, LOCK_SH), 0);
    std::error_code noLink;
    std::filesystem::create_symlink(folder.path / "doc.viv", folder.path / TemporaryName(0x0004), noLink);
    kept.push_back(TemporaryName(0x0004));
    WriteBytes(folder.File("x.tmp"), BytesOf("a file with two names"));
    ASSERT_EQ(::link(folder.File("x.tmp").c_str(), folder.File(TemporaryName(0x0005)).c_str()), 0);
    kept.push_back(TemporaryName(0x0005));
    if (::geteuid() == 0) {
        WriteBytes(folder.File(TemporaryName(0x0006)), BytesOf("another user's"));
        ASSERT_EQ(::chown(folder.File(TemporaryName(0x0006)).c_str(), 12345, 12345), 0);
        kept.push_back(TemporaryName(0x0006));
    }
#endif
    std::sort(kept.begin(), kept.end());

    WriteFileSafely(target, "new", 3);
    EXPECT_EQ(folder.Names(), kept);
    EXPECT_EQ(ReadBytes(target), BytesOf("new"));
    EXPECT_EQ(ReadBytes(folder.File(held)), BytesOf("being written"));
#ifdef _WIN32
    CloseHandle(holder);
#else
    ::close(holder);
#endif
    // Once its writer is gone, the held file is debris too.
    WriteFileSafely(target, "newer", 5);
    kept.erase(std::find(kept.begin(), kept.end(), held));
    EXPECT_EQ(folder.Names(), kept);
}

#ifndef _WIN32
// A writer killed in the middle of its work: on Linux its file has no name yet, so nothing
// is left; a named temporary file (elsewhere) stays only until the next write.
TEST(SafeFile, AKilledWriterLeavesNothingBehind)
{
    NamedTemporaryFilesOff off;
    for (bool named : {false, true}) {
        UseNamedTemporaryFiles(named);
        TempFolder folder;
        std::string target = folder.File("doc.viv");
        WriteBytes(target, BytesOf("old"));
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SafeFileWriter writer(target);
            std::string chunk(1 << 20, 'x');
            for (int i = 0; i < 8; ++i)
                Write(writer, chunk.data(), chunk.size());
            if (::write(ready[1], "w", 1) == 1)
                for (;;)
                    ::pause();
            ::_exit(1);
        }
        char written = 0;
        EXPECT_EQ(::read(ready[0], &written, 1), 1);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ::close(ready[0]);
        ::close(ready[1]);

        std::vector<std::string> names = folder.Names();
#ifdef __linux__
        if (!named) {
            EXPECT_EQ(names, std::vector<std::string>{"doc.viv"});
        }
#endif
        if (named) {
            ASSERT_EQ(names.size(), 2u);
            EXPECT_TRUE(IsTemporaryName(names[1])) << names[1];
        }
        EXPECT_EQ(ReadBytes(target), BytesOf("old"));
        WriteFileSafely(target, "new", 3);
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"doc.viv"}) << (named ? "named" : "unnamed");
    }
}
#endif

#include <gtest/gtest.h>

#include <cstring>

#include "Platform.h"
#include "SafeFile.h"
#include "VivRun.h"

using Strings = std::vector<std::string>;

TEST(Create, TakesFilesInOrderAndTheFilesOfFoldersInByteOrder)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.path / "one");
    std::filesystem::create_directories(folder.path / "two" / "sub");
    WriteBytes(folder.File("one/x.txt"), BytesOf("x"));
    // Through the core's ANSI file access: MinGW's std::filesystem would not keep the bytes
    // of the name above 127. No two names differ only in letter case, for Windows.
    for (const char* name : {"b", "a", "C", "\xe9t\xe9", "_", "sub/skipped"})
        WriteFileSafely(folder.path.string() + "/two/" + name, name, std::strlen(name));
    WriteBytes(folder.File("empty"), {});
    std::error_code noLink;  // links inside a folder are not regular files
    std::filesystem::create_symlink(folder.path / "one" / "x.txt", folder.path / "two" / "link", noLink);

    std::string archive = folder.File("new.viv");
    VivResult result = Viv({"create", archive, folder.File("one/x.txt"), folder.File("two"), folder.File("empty")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out + result.err, "");
    EXPECT_EQ(Loaded(archive), (Strings{"x.txt=x", "C=C", "_=_", "a=a", "b=b", "\xe9t\xe9=\xe9t\xe9", "empty="}));
}

TEST(Create, WritesAnEmptyArchiveForAnEmptyFolderAndReplacesAnOldOne)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.path / "empty");
    std::string archive = folder.File("new.viv");
    WriteBytes(archive, Archive({{"old", "old"}}));
    VivResult result = Viv({"create", archive, folder.File("empty")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(ReadBytes(archive), Header(16, 0, 16));
}

// A refused create writes nothing: the old archive stays and no temporary file is left.
TEST(Create, RefusesDuplicateNamesAndFilesItCannotRead)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.path / "one");
    std::filesystem::create_directories(folder.path / "two");
    WriteBytes(folder.File("one/a"), BytesOf("1"));
    WriteBytes(folder.File("two/a"), BytesOf("2"));
    WriteBytes(folder.File("two/A"), BytesOf("3"));
    const Bytes old = Archive({{"old", "old"}});
    std::string archive = folder.File("new.viv");
    WriteBytes(archive, old);

    const struct {
        Strings paths;
        std::string message;
    } cases[] = {
        {{folder.File("one/a"), folder.File("two")}, "viv: " + JoinPath(folder.File("two"), "a") + ": File name already exists.\n"},
        {{folder.File("one/a"), folder.File("one/a")}, "viv: " + folder.File("one/a") + ": File name already exists.\n"},
        {{folder.File("one/a"), folder.File("missing")}, "viv: File couldn't be opened: " + folder.File("missing") + "\n"},
    };
    for (const auto& c : cases) {
        Strings command = {"create", archive};
        command.insert(command.end(), c.paths.begin(), c.paths.end());
        VivResult result = Viv(command);
        EXPECT_EQ(result.status, 1) << c.message;
        EXPECT_EQ(result.err, c.message);
        EXPECT_EQ(ReadBytes(archive), old) << c.message;
        EXPECT_EQ(folder.Names(), (Strings{"new.viv", "one", "two"})) << c.message;
    }
}

// The program itself writes an archive at a path as long as Windows allows, and rewrites it.
TEST(Create, WritesArchivesAtTheLongestPaths)
{
    const struct {
        std::size_t length;
        std::size_t nameLength;
    } cases[] = {{259, 12}, {259, 40}, {247, 1}};
    for (const auto& c : cases) {
        TempFolder folder;
        WriteBytes(folder.File("a.txt"), BytesOf("a"));
        WriteBytes(folder.File("b.txt"), BytesOf("b"));
        std::string archive = folder.PathOfLength(c.length, c.nameLength);
        VivResult result = RunProgram(folder, "create " + Quoted(archive) + " a.txt");
        EXPECT_EQ(result.status, 0) << c.length << " " << c.nameLength;
        EXPECT_EQ(result.err, "");
        result = RunProgram(folder, "add " + Quoted(archive) + " b.txt");
        EXPECT_EQ(result.status, 0) << c.length << " " << c.nameLength;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(Loaded(archive), (Strings{"a.txt=a", "b.txt=b"}));
    }
}

// Folders opened one from the other, as extraction walks a member's path.

#include <gtest/gtest.h>

#include <filesystem>

#include "FileSystem.h"
#include "Fixtures.h"
#include "SafeFile.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

TEST(FolderWalk, OpensMakesAndRefuses)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.path / "there");
    WriteBytes(folder.File("file"), BytesOf("f"));
    std::error_code noLink;
    std::filesystem::create_directory_symlink(folder.path / "there", folder.path / "link", noLink);
    NativeFolder root;
    ASSERT_TRUE(OpenFolder(folder.File(""), root));

    const struct {
        const char* name;
        FolderOpening opening;
    } cases[] = {
        {"there", FolderOpening::opened},
        {"new", FolderOpening::created},
        {"new", FolderOpening::opened},
        {"file", FolderOpening::notFolder},
        {"link", FolderOpening::link},
    };
    for (const auto& c : cases) {
        if (noLink && c.opening == FolderOpening::link)
            continue;
        NativeFolder child;
        EXPECT_EQ(OpenSubfolder(root, c.name, child), c.opening) << c.name;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.path / "new"));

    // A file written inside an open folder lands there, under its name and nothing else.
    NativeFolder there;
    ASSERT_EQ(OpenSubfolder(root, "there", there), FolderOpening::opened);
    SafeFileWriter writer(there, "member", folder.File("there/member"));
    Write(writer, "bytes", 5);
    Commit(writer);
    EXPECT_EQ(ReadBytes(folder.File("there/member")), BytesOf("bytes"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path / "there"), {}), 1);
}

#ifdef _WIN32
// Windows looks each path up anew, so extraction holds every folder on the way open without
// delete sharing: while it is held no one can rename or remove it, nor put a link in its place.
TEST(FolderWalk, AHeldFolderCannotBeRenamedOrRemoved)
{
    TempFolder folder;
    NativeFolder root;
    ASSERT_TRUE(OpenFolder(folder.File(""), root));
    std::string path = folder.File("d");
    std::string moved = folder.File("moved");
    {
        NativeFolder held;
        ASSERT_EQ(OpenSubfolder(root, "d", held), FolderOpening::created);
        EXPECT_FALSE(MoveFileA(path.c_str(), moved.c_str()));
        EXPECT_FALSE(RemoveDirectoryA(path.c_str()));
        EXPECT_TRUE(std::filesystem::is_directory(path));
    }
    EXPECT_TRUE(MoveFileA(path.c_str(), moved.c_str()));
}
#endif

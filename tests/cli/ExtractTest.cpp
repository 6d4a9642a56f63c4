#include <gtest/gtest.h>

#include "FileSystem.h"
#include "Platform.h"
#include "TemporaryName.h"
#include "VivRun.h"

using Strings = std::vector<std::string>;

TEST(Extract, WritesEveryMemberInsideTheFolder)
{
    TempFolder folder;
    std::string archive = folder.File("a.viv");
    WriteBytes(archive, Archive({{"a.txt", "abc"}, {"dir/sub\\b.bin", "bb"}, {"empty", ""}, {"dir/c", "c"}}));
    std::string out = folder.File("out");
    std::filesystem::create_directory(out);
    WriteBytes(folder.File("out/a.txt"), BytesOf("older and longer"));

    // The option may stand before the archive.
    VivResult result = Viv({"extract", "-C", out, archive});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out + result.err, "");
    EXPECT_EQ(Tree(out), (Strings{"a.txt=abc", "dir/", "dir/c=c", "dir/sub/", "dir/sub/b.bin=bb", "empty="}));
}

TEST(Extract, WritesOnlyTheNamedMembersAndReportsNamesNotThere)
{
    TempFolder folder;
    std::string archive = folder.File("a.viv");
    WriteBytes(archive, Archive({{"a", "1"}, {"b", "2"}, {"-C", "3"}, {"B", "4"}}));

    VivResult result = Viv({"extract", archive, "-C", folder.File(""), "b", "--", "-C", "missing", "b", "missing"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "viv: No member of that name: missing\n");
    EXPECT_EQ(Tree(folder.path), (Strings{"-C=3", "a.viv=" + ReadText(archive), "b=2"}));
}

// The first member of a name wins; a later one of the same name, or of a name that leads to
// the same file, is skipped with a message.
TEST(Extract, WritesTheFirstOfMembersThatShareAName)
{
    TempFolder folder;
    std::string archive = folder.File("a.viv");
    WriteBytes(archive, Archive({{"a", "first"}, {"d/x", "first x"}, {"a", "second"}, {"d\\x", "second x"}, {"b", "b"}}));
    std::string out = folder.File("out");
    std::filesystem::create_directory(out);

    VivResult result = Viv({"extract", archive, "-C", out});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "viv: Member skipped, a member of the same name was written: a\n"
                          "viv: Member skipped, a member of the same name was written: d\\\\x\n");
    EXPECT_EQ(Tree(out), (Strings{"a=first", "b=b", "d/", "d/x=first x"}));

    // Named explicitly, the same holds; a second run may overwrite what the first wrote.
    result = Viv({"extract", archive, "-C", out, "a"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "viv: Member skipped, a member of the same name was written: a\n");
    EXPECT_EQ(Tree(out), (Strings{"a=first", "b=b", "d/", "d/x=first x"}));
}

TEST(Extract, ReportsMembersItCannotWriteAndGoesOn)
{
    TempFolder folder;
    std::string archive = folder.File("a.viv");
    WriteBytes(archive, Archive({{"a", "file"}, {"a/b", "under a file"}, {"c", "c"}}));
    std::string out = folder.File("out");
    std::filesystem::create_directory(out);
    std::filesystem::create_directory(out + "/c");

    VivResult result = Viv({"extract", archive, "-C", out});
    EXPECT_EQ(result.status, 1);
    std::string separator(1, std::filesystem::path::preferred_separator);
    EXPECT_EQ(result.err, "viv: Folder couldn't be created: " + out + separator + "a\n" +
                              "viv: File couldn't be written: " + out + separator + "c\n");
    EXPECT_EQ(Tree(out), (Strings{"a=file", "c/"}));

    result = Viv({"extract", archive, "-C", folder.File("no such folder")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "viv: Folder couldn't be opened: " + folder.File("no such folder") + "\n");
}

// Through the safe writer: whatever step fails, a file is either written whole or left as it
// was, and no temporary file stays behind.
TEST(Extract, AFailedWriteLeavesTheFileAsItWas)
{
    TempFolder folder;
    std::string archive = folder.File("a.viv");
    WriteBytes(archive, Archive({{"a", std::string(3 * 1024 * 1024, 'a')}}));
    std::string out = folder.File("out");
    std::filesystem::create_directory(out);
    std::string target = JoinPath(out, "a");
    int steps = 0;
    for (int nth = 1; steps == 0; ++nth) {
        ASSERT_LT(nth, 100) << "the write never succeeded";
        WriteBytes(target, BytesOf("old"));
        InjectWriteFailure(nth, false);
        VivResult result = Viv({"extract", archive, "-C", out});
        InjectWriteFailure(0, false);
        if (result.status == 0) {
            steps = nth;
            break;
        }
        EXPECT_EQ(result.err, "viv: File couldn't be written: " + target + "\n") << "step " << nth;
        EXPECT_EQ(Tree(out), Strings{"a=old"}) << "step " << nth;
    }
    EXPECT_GE(steps, 4);  // create, write, close, replace
    EXPECT_EQ(Tree(out), Strings{"a=" + std::string(3 * 1024 * 1024, 'a')});
}

// A killed extraction may leave temporary files in the folders it wrote to (where the system
// cannot make a file without a name): the next one into those folders removes them, and
// leaves alone what is not on its way or not its own.
TEST(Extract, RemovesTheDebrisOfKilledRunsOnItsWay)
{
    TempFolder folder;
    std::string archive = folder.File("a.viv");
    WriteBytes(archive, Archive({{"a", "a"}, {"sub/b", "b"}}));
    std::string out = folder.File("out");
    std::filesystem::create_directories(folder.path / "out" / "sub");
    std::filesystem::create_directories(folder.path / "out" / "other");
    const std::string inOther = "other/" + TemporaryName(3);
    for (const std::string& name : {TemporaryName(1), "sub/" + TemporaryName(2), inOther, std::string("~0000000.tmp")})
        WriteBytes(JoinPath(out, name), BytesOf("debris"));

    VivResult result = Viv({"extract", archive, "-C", out});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(Tree(out), (Strings{"a=a", "other/", inOther + "=debris", "sub/", "sub/b=b", "~0000000.tmp=debris"}));
}

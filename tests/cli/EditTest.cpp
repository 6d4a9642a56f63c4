#include <gtest/gtest.h>

#include "FileSystem.h"
#include "VivRun.h"

using Strings = std::vector<std::string>;

// Each row starts from the same archive; a refused edit leaves it byte for byte.
TEST(Edit, AddRemoveAndRenameAsTheEditorDoes)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.path / "one");
    std::filesystem::create_directories(folder.path / "two");
    std::string newA = folder.File("one/a.txt");
    std::string c = folder.File("one/c");
    std::string c2 = folder.File("two/c");
    std::string upper = folder.File("A.TXT");
    WriteBytes(newA, BytesOf("new"));
    WriteBytes(c, BytesOf("c"));
    WriteBytes(c2, BytesOf("c2"));
    WriteBytes(upper, BytesOf("upper"));
    const Bytes original = Archive({{"a.txt", "1"}, {"b", "2"}, {"a.txt", "3"}});
    const Strings unchanged = {"a.txt=1", "b=2", "a.txt=3"};
    std::string archive = folder.File("a.viv");
    auto missing = [](const std::string& name) { return "viv: No member of that name: " + name + "\n"; };

    const struct {
        Strings command;
        Strings members;
        std::string err;
    } cases[] = {
        // add: the first member of the name is replaced in its place, a new name appended,
        // and each file in turn, so a later file of the same name wins.
        {{"add", archive, newA, c, upper, c2}, {"a.txt=new", "b=2", "a.txt=3", "c=c2", "A.TXT=upper"}, ""},
        {{"add", archive, newA, folder.File("none")}, unchanged,
         "viv: File couldn't be opened: " + folder.File("none") + "\n"},
        {{"add", archive, folder.File("one")}, unchanged, "viv: File couldn't be opened: " + folder.File("one") + "\n"},
        // remove: every member of each name, or nothing when a name is not there.
        {{"remove", archive, "a.txt"}, {"b=2"}, ""},
        {{"remove", archive, "b", "a.txt", "b"}, {}, ""},
        {{"remove", archive, "b", "B", "A.txt"}, unchanged, missing("B") + missing("A.txt")},
        // rename: the first member of the name; never to an empty name or another's name.
        {{"rename", archive, "a.txt", "x"}, {"x=1", "b=2", "a.txt=3"}, ""},
        {{"rename", archive, "b", "B"}, {"a.txt=1", "B=2", "a.txt=3"}, ""},
        {{"rename", archive, "b", "b"}, unchanged, ""},
        {{"rename", archive, "b", " b\\new "}, {"a.txt=1", " b\\new =2", "a.txt=3"}, ""},
        {{"rename", archive, "a.txt", "a.txt"}, unchanged, "viv: a.txt: File name already exists.\n"},
        {{"rename", archive, "b", "a.txt"}, unchanged, "viv: a.txt: File name already exists.\n"},
        {{"rename", archive, "b", ""}, unchanged, "viv: " + archive + ": The new name is empty.\n"},
        {{"rename", archive, "B", "x"}, unchanged, missing("B")},
    };
    for (const auto& row : cases) {
        WriteBytes(archive, original);
        VivResult result = Viv(row.command);
        std::string what = row.command[0] + " " + row.command.back();
        EXPECT_EQ(result.status, row.err.empty() ? 0 : 1) << what;
        EXPECT_EQ(result.err, row.err) << what;
        EXPECT_EQ(result.out, "") << what;
        EXPECT_EQ(Loaded(archive), row.members) << what;
        if (!row.err.empty()) {
            EXPECT_EQ(ReadBytes(archive), original) << what;
        }
    }
    EXPECT_EQ(folder.Names(), (Strings{"A.TXT", "a.viv", "one", "two"}));
}

// Checked before anything is written: only the lengths of the (sparse) files are looked at.
TEST(Edit, RefusesWhatTheFormatCannotHold)
{
    TempFolder folder;
    std::string archive = folder.File("a.viv");
    const Bytes original = Archive({{"a", "1"}});
    WriteBytes(archive, original);
    std::string huge = folder.File("huge");
    std::string large1 = folder.File("large1");
    std::string large2 = folder.File("large2");
    for (const auto& [path, length] : {std::pair{huge, 0x100000000u}, {large1, 0x80000000u}, {large2, 0x80000000u}}) {
        WriteBytes(path, {});
        std::filesystem::resize_file(path, length);
    }

    const struct {
        Strings command;
        std::string err;
    } cases[] = {
        {{"add", archive, huge}, "viv: File is too large: " + huge + "\n"},
        {{"create", archive, huge}, "viv: File is too large: " + huge + "\n"},
        {{"add", archive, large1, large2}, "viv: " + archive + ": Archive is too large to be saved.\n"},
        {{"create", archive, large1, large2}, "viv: " + archive + ": Archive is too large to be saved.\n"},
    };
    for (const auto& row : cases) {
        VivResult result = Viv(row.command);
        EXPECT_EQ(result.status, 1) << row.err;
        EXPECT_EQ(result.err, row.err);
        EXPECT_EQ(ReadBytes(archive), original) << row.err;
    }
    EXPECT_EQ(folder.Names(), (Strings{"a.viv", "huge", "large1", "large2"}));
}

// Whatever step of the write fails, the archive is left exactly as it was.
TEST(Edit, AFailedWriteLeavesTheArchiveAsItWas)
{
    TempFolder folder;
    std::string archive = folder.File("a.viv");
    const Bytes original = Archive({{"a", std::string(3 * 1024 * 1024, 'a')}, {"b", "b"}, {"c", "c"}});
    int steps = 0;
    for (int nth = 1; steps == 0; ++nth) {
        ASSERT_LT(nth, 100) << "the write never succeeded";
        WriteBytes(archive, original);
        InjectWriteFailure(nth, false);
        VivResult result = Viv({"remove", archive, "b"});
        InjectWriteFailure(0, false);
        if (result.status == 0) {
            steps = nth;
            break;
        }
        EXPECT_EQ(result.err, "viv: File couldn't be written: " + archive + "\n") << "step " << nth;
        EXPECT_EQ(ReadBytes(archive), original) << "step " << nth;
        EXPECT_EQ(folder.Names(), Strings{"a.viv"}) << "step " << nth;
    }
    EXPECT_GE(steps, 5);  // create, write, flush, close, replace
    EXPECT_EQ(Loaded(archive), (Strings{"a=" + std::string(3 * 1024 * 1024, 'a'), "c=c"}));
}

// Every allocation of a load and of a save made to fail in turn: the operation reports "Memory
// couldn't be allocated.", gives back everything it took (and, natively, the leak checker of
// AddressSanitizer sees no leak at the end) and leaves the table or the file as it was; or,
// where the failure struck a step that may fail, it completes.

#include <gtest/gtest.h>

#include "CommandError.h"
#include "FailingAllocator.h"
#include "Fixtures.h"
#include "MemberFile.h"
#include "VivArchive.h"

namespace {
const std::string memoryText = "Memory couldn't be allocated.";

// Big enough for every kind of allocation: members read through the buffer and straight into
// their own memory, names longer than a string holds in itself.
EntryTable SampleTable()
{
    EntryTable table;
    table.push_back(Entry("a.txt", "abc"));
    table.push_back(Entry("a member name longer than a short string", std::string(300 * 1024, 'L')));
    table.push_back(Entry("", ""));
    table.push_back(Entry("last", "zz"));
    return table;
}

}  // namespace

TEST(AllocationFailure, LoadArchiveReportsItAndKeepsNothing)
{
    TempFolder folder;
    std::string path = folder.File("sample.viv");
    const EntryTable expected = SampleTable();
    SaveArchive(path, expected);

    std::int64_t liveBefore = LiveAllocations();
    EntryTable table;
    std::string error;
    int runs = ForEachFailingAllocation(
        [&] { error = ErrorOf([&] { LoadArchive(path, table); }); },
        [&](int nth, bool failed) {
            if (!error.empty()) {
                EXPECT_TRUE(failed);
                EXPECT_EQ(error, memoryText) << "allocation " << nth;
                EXPECT_TRUE(table.empty()) << "allocation " << nth;
            } else {
                EXPECT_TRUE(table == expected) << "allocation " << nth;
            }
            std::string().swap(error);
            EntryTable().swap(table);
            EXPECT_EQ(LiveAllocations(), liveBefore) << "allocation " << nth;
        });
    EXPECT_GT(runs, 5);
}

TEST(AllocationFailure, SaveArchiveLeavesTheTargetAndNoTemporaryFile)
{
    TempFolder folder;
    std::string path = folder.File("doc.viv");
    const Bytes original = Concat({Header(33, 1, 30), Record(30, 3, "a.txt"), BytesOf("abc")});
    const EntryTable table = SampleTable();

    WriteBytes(path, original);
    std::int64_t liveBefore = LiveAllocations();
    std::string error;
    int runs = ForEachFailingAllocation(
        [&] { error = ErrorOf([&] { SaveArchive(path, table); }); },
        [&](int nth, bool failed) {
            // A failure in a step that may fail (the flush of the folder after the rename)
            // leaves a complete save.
            if (!error.empty()) {
                EXPECT_TRUE(failed);
                EXPECT_EQ(error, memoryText) << "allocation " << nth;
                EXPECT_EQ(ReadBytes(path), original) << "allocation " << nth;
            } else {
                EntryTable saved;
                LoadArchive(path, saved);
                EXPECT_TRUE(saved == table) << "allocation " << nth;
            }
            EXPECT_EQ(folder.Names(), std::vector<std::string>{"doc.viv"}) << "allocation " << nth;
            std::string().swap(error);
            WriteBytes(path, original);
            EXPECT_EQ(LiveAllocations(), liveBefore) << "allocation " << nth;
        });
    EXPECT_GT(runs, 3);
}

// What Import reads a loose file with.
TEST(AllocationFailure, ReadMemberFileReportsIt)
{
    TempFolder folder;
    std::string path = folder.File("loose.bin");
    WriteBytes(path, Bytes(200 * 1024, 7));

    std::int64_t liveBefore = LiveAllocations();
    MemberData data;
    std::string error;
    ForEachFailingAllocation(
        [&] { error = ErrorOf([&] { data = ReadMemberFile(path); }); },
        [&](int nth, bool failed) {
            EXPECT_EQ(error, failed ? memoryText : "") << "allocation " << nth;
            EXPECT_EQ(data.size(), failed ? 0u : 200u * 1024u) << "allocation " << nth;
            std::string().swap(error);
            MemberData().swap(data);
            EXPECT_EQ(LiveAllocations(), liveBefore) << "allocation " << nth;
        });
}

// Every read of a load or of a member file made to fail in turn, and the file made to shrink
// just before each read: the reader reports "File couldn't be opened:\n" and the path and hands
// back nothing, or, where the reads it still needed were not hurt, reads everything right.

#include <gtest/gtest.h>

#include <filesystem>

#include "CommandError.h"
#include "FileSystem.h"
#include "Fixtures.h"
#include "MemberFile.h"
#include "VivArchive.h"

namespace {
struct HookOff {
    ~HookOff() { InjectReadFailure(0); }
};

// A directory longer than the reader's buffer and a member it reads straight into place.
EntryTable LargeTable()
{
    EntryTable table;
    for (int i = 0; i < 20000; ++i)
        table.push_back(Entry("member " + std::to_string(i), "x"));
    table.push_back(Entry("big", std::string(300 * 1024, 'B')));
    return table;
}

// Runs operation with the nth read hurt by the hook (failed, or preceded by shrink when there
// is one), n = 1, 2, ... until the hook is no longer reached. check(nth, error) follows each run.
template <typename Operation, typename Check>
int ForEachHurtRead(Operation operation, Check check, const std::function<void()>& shrink = {})
{
    HookOff off;
    for (int nth = 1; nth < 1000; ++nth) {
        bool reached = false;
        InjectReadFailure(nth, shrink ? std::function<void()>([&] { reached = true, shrink(); })
                                      : std::function<void()>());
        std::string error = ErrorOf(operation);
        InjectReadFailure(0);
        if (!shrink)
            reached = !error.empty();
        check(nth, error);
        if (!reached)
            return nth;
    }
    ADD_FAILURE() << "the hook was reached every time";
    return 0;
}

#ifdef _WIN32
// Windows lets no one shorten a file that the reader holds (it shares reading and deleting).
constexpr bool filesCanShrinkWhileRead = false;
#else
constexpr bool filesCanShrinkWhileRead = true;
#endif
}  // namespace

TEST(ReadFailure, LoadArchiveReportsAFailedOrShortRead)
{
    TempFolder folder;
    std::string path = folder.File("large.viv");
    const EntryTable expected = LargeTable();
    SaveArchive(path, expected);
    const Bytes original = ReadBytes(path);
    auto shrink = [&] { std::filesystem::resize_file(path, original.size() / 2); };

    for (bool shrinking : {false, true}) {
        if (shrinking && !filesCanShrinkWhileRead)
            break;
        EntryTable table;
        int runs = ForEachHurtRead(
            [&] { LoadArchive(path, table); },
            [&](int nth, const std::string& error) {
                if (!error.empty()) {
                    EXPECT_EQ(error, "File couldn't be opened:\n" + path) << "read " << nth;
                    EXPECT_TRUE(table.empty()) << "read " << nth;
                } else {
                    EXPECT_TRUE(table == expected) << "read " << nth;
                }
                EntryTable().swap(table);
                WriteBytes(path, original);
            },
            shrinking ? std::function<void()>(shrink) : std::function<void()>());
        EXPECT_GT(runs, 3) << "the directory takes several reads, the big member one more";
    }
}

TEST(ReadFailure, ReadMemberFileReportsAFailedOrShortRead)
{
    TempFolder folder;
    std::string path = folder.File("loose.bin");
    for (std::size_t size : {std::size_t{100}, std::size_t{300 * 1024}}) {
        const Bytes original(size, 'm');
        WriteBytes(path, original);
        for (bool shrinking : {false, true}) {
            if (shrinking && !filesCanShrinkWhileRead)
                break;
            MemberData data;
            ForEachHurtRead(
                [&] { data = ReadMemberFile(path); },
                [&](int nth, const std::string& error) {
                    if (!error.empty())
                        EXPECT_EQ(error, "File couldn't be opened:\n" + path) << "read " << nth;
                    else
                        EXPECT_TRUE(Bytes(data.begin(), data.end()) == original) << "read " << nth;
                    data.clear();
                    WriteBytes(path, original);
                },
                shrinking ? std::function<void()>([&] { std::filesystem::resize_file(path, size / 2); })
                          : std::function<void()>());
        }
    }
}

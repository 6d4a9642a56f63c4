#include <gtest/gtest.h>

#include "CommandError.h"
#include "Fixtures.h"
#include "VivArchive.h"

TEST(SaveArchive, WritesTheSmallestArchivesByteForByte)
{
    TempFolder folder;
    std::string path = folder.File("out.viv");

    SaveArchive(path, EntryTable{});
    EXPECT_EQ(ReadBytes(path), (Bytes{0x42, 0x49, 0x47, 0x46, 0, 0, 0, 0x10, 0, 0, 0, 0, 0, 0, 0, 0x10}));

    EntryTable table;
    table.push_back(Entry("a.txt", "abc"));
    SaveArchive(path, table);
    EXPECT_EQ(ReadBytes(path), (Bytes{0x42, 0x49, 0x47, 0x46, 0, 0, 0, 0x21, 0, 0, 0, 1, 0, 0, 0, 0x1E,
                                      0, 0, 0, 0x1E, 0, 0, 0, 3, 0x61, 0x2E, 0x74, 0x78, 0x74, 0,
                                      0x61, 0x62, 0x63}));
}

TEST(SaveArchive, PacksMembersBackToBackInTableOrder)
{
    TempFolder folder;
    std::string path = folder.File("out.viv");
    EntryTable table;
    table.push_back(Entry("z", "12"));
    table.push_back(Entry("", ""));
    table.push_back(Entry("dir\\e\xe9", "345"));
    SaveArchive(path, table);
    // The empty member shares its offset with the one after it.
    EXPECT_EQ(ReadBytes(path), Concat({Header(55, 3, 50), Record(50, 2, "z"), Record(52, 0, ""),
                                       Record(52, 3, "dir\\e\xe9"), BytesOf("12345")}));
}

// Files the system wrote come back identical through a load and a save, also over themselves.
TEST(SaveArchive, RoundTripsItsOwnArchives)
{
    TempFolder folder;
    EntryTable table;
    table.push_back(Entry("a.txt", "abc"));
    table.push_back(Entry("same", ""));
    table.push_back(Entry("same", std::string(70000, '\x7f')));
    table.push_back(Entry(std::string(300, 'n'), std::string("\0\r\n\x1a\xff", 5)));
    std::string first = folder.File("first.viv");
    SaveArchive(first, table);

    EntryTable loaded;
    LoadArchive(first, loaded);
    ASSERT_EQ(loaded.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(loaded[i].name, table[i].name);
        EXPECT_EQ(loaded[i].data, table[i].data);
    }
    Bytes before = ReadBytes(first);
    SaveArchive(first, loaded);
    EXPECT_EQ(ReadBytes(first), before);
}

TEST(SaveArchive, RewritesAnOddArchiveInCanonicalForm)
{
    TempFolder folder;
    std::string path = folder.File("odd.viv");
    WriteBytes(path, Concat({Header(999, 2, 1), Record(42, 2, "a"), Record(38, 2, "b"), BytesOf("xxBBxxAAxx")}));
    EntryTable table;
    LoadArchive(path, table);
    SaveArchive(path, table);
    EXPECT_EQ(ReadBytes(path), Concat({Header(40, 2, 36), Record(36, 2, "a"), Record(38, 2, "b"), BytesOf("AABB")}));
}

TEST(SaveArchive, RefusesAnArchivePastFourGibibytes)
{
    const struct {
        const char* what;
        std::vector<MemberLayout> members;
        bool fits;
    } cases[] = {
        {"exactly the limit", {{"a", 0xFFFFFFFFu - 16 - 10}}, true},
        {"one byte over", {{"a", 0xFFFFFFFFu - 16 - 9}}, false},
        {"sizes that wrap a 32-bit sum", {{"a", 0x80000000u}, {"b", 0x80000000u}}, false},
        {"directory pushes it over", {{"a", 0xFFFFFFF0u}, {"bbbbbbbb", 0}}, false},
    };
    for (const auto& c : cases) {
        try {
            ArchiveLayout layout = PlanLayout(c.members);
            EXPECT_TRUE(c.fits) << c.what;
            EXPECT_EQ(layout.archiveSize, 0xFFFFFFFFu) << c.what;
        } catch (const CommandError& error) {
            EXPECT_FALSE(c.fits) << c.what;
            EXPECT_EQ(error.text, "Archive is too large to be saved.") << c.what;
        }
    }
}

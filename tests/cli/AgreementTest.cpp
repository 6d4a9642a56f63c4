// The tool and the editor's LoadArchive and SaveArchive agree on every file.

#include <gtest/gtest.h>

#include <functional>

#include "VivArchive.h"
#include "VivRun.h"

namespace {
// Archives as they come from elsewhere: the tool reads them as the loader does and writes
// them as SaveArchive would.
const Bytes oddArchives[] = {
    Archive({{"a", "1"}, {"b", "22"}, {"c", "333"}}),
    Concat({Header(999, 3, 7), Record(40, 2, "a"), Record(38, 2, "b"), Record(36, 2, "c"), BytesOf("CCBBAA")}),
    Concat({Header(0, 3, 0), Record(40, 1, "a"), Record(44, 1, "b"), Record(37, 4, "c"), BytesOf("xxxxAxxxBxx")}),
    Concat({Header(0, 4, 0), Record(0, 0, ""), Record(50, 1, "b"), Record(50, 1, "b"), Record(0, 3, "a"), BytesOf("z")}),
};

std::uint32_t FirstNamed(const EntryTable& table, std::string_view name)
{
    for (std::uint32_t i = 0; i < table.size(); ++i)
        if (table[i].name == name)
            return i;
    return static_cast<std::uint32_t>(table.size());
}
}  // namespace

TEST(Agreement, EditsWriteWhatSaveArchiveWritesForTheEditedTable)
{
    TempFolder folder;
    std::string file = folder.File("b");
    WriteBytes(file, BytesOf("from a file"));
    const struct {
        std::vector<std::string> arguments;
        std::function<void(EntryTable&)> edit;
    } edits[] = {
        {{"rename", "b", "renamed"}, [](EntryTable& table) { table[FirstNamed(table, "b")].name = "renamed"; }},
        {{"remove", "b", "a"},
         [](EntryTable& table) {
             std::erase_if(table, [](const ArchiveEntry& entry) { return entry.name == "b" || entry.name == "a"; });
         }},
        {{"add", file}, [](EntryTable& table) { table[FirstNamed(table, "b")] = Entry("b", "from a file"); }},
    };
    std::string byTool = folder.File("tool.viv");
    std::string byEditor = folder.File("editor.viv");
    for (const Bytes& archive : oddArchives) {
        for (const auto& edit : edits) {
            WriteBytes(byTool, archive);
            std::vector<std::string> command = {edit.arguments[0], byTool};
            command.insert(command.end(), edit.arguments.begin() + 1, edit.arguments.end());
            ASSERT_EQ(Viv(command).status, 0) << edit.arguments[0];

            WriteBytes(byEditor, archive);
            EntryTable table;
            LoadArchive(byEditor, table);
            edit.edit(table);
            SaveArchive(byEditor, table);
            EXPECT_EQ(ReadBytes(byTool), ReadBytes(byEditor)) << edit.arguments[0];
        }
    }
}

TEST(Agreement, CreateWritesWhatSaveArchiveWrites)
{
    TempFolder folder;
    EntryTable table = {Entry("one", "1"), Entry("empty", ""), Entry("three", std::string(300000, '3'))};
    std::vector<std::string> command = {"create", folder.File("tool.viv")};
    for (const ArchiveEntry& entry : table) {
        WriteBytes(folder.File(entry.name), Bytes(entry.data.begin(), entry.data.end()));
        command.push_back(folder.File(entry.name));
    }
    ASSERT_EQ(Viv(command).status, 0);
    SaveArchive(folder.File("editor.viv"), table);
    EXPECT_EQ(ReadBytes(folder.File("tool.viv")), ReadBytes(folder.File("editor.viv")));
}

TEST(Agreement, ListAndExtractShowWhatLoadArchiveReads)
{
    TempFolder folder;
    std::string archive = folder.File("a.viv");
    std::string out = folder.File("out");
    for (const Bytes& bytes : oddArchives) {
        WriteBytes(archive, bytes);
        EntryTable table;
        LoadArchive(archive, table);
        std::string listing;
        for (const ArchiveEntry& entry : table)
            listing += std::to_string(entry.size()) + "\t" + entry.name + "\n";
        VivResult list = Viv({"list", archive});
        EXPECT_EQ(list.out, listing);

        std::filesystem::create_directory(out);
        Viv({"extract", archive, "-C", out});
        for (std::uint32_t i = 0; i < table.size(); ++i) {
            // Of several members of a name the first is written; an empty name is not.
            if (!table[i].name.empty() && FirstNamed(table, table[i].name) == i) {
                EXPECT_EQ(ReadBytes(out + "/" + table[i].name), Bytes(table[i].data.begin(), table[i].data.end())) << table[i].name;
            }
        }
        std::filesystem::remove_all(out);
    }
}

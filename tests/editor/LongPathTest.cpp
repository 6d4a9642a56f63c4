// Paths as long as Windows allows: the file dialogs take 259 characters, and the safe writer's
// temporary file beside the target must fit within the same limit.

#include "EditorFixture.h"

namespace {
using Members = std::vector<std::pair<std::string, std::string>>;

struct LongPath {
    std::size_t length;
    std::size_t nameLength;
};
// The longest path whose name has 12 characters, and a shorter one with a short name.
constexpr LongPath longPaths[] = {{259, 12}, {259, 40}, {247, 1}};
}  // namespace

TEST_F(EditorTest, SaveAsWritesToTheLongestPaths)
{
    const Members members = {{"member.txt", "content"}, {"b", "bb"}};
    std::string path = MakeArchive("a.viv", members);
    CreateMainDialog(path);
    for (const LongPath& c : longPaths) {
        std::string target = folder.PathOfLength(c.length, c.nameLength);
        ExpectFileDialog("Save VIV file", target);
        Click(IDC_SAVE_AS);
        EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Save VIV file", ""}})) << c.length << " " << c.nameLength;
        EXPECT_EQ(Status(), target);
        EXPECT_EQ(documentState.currentPath, target);
        EXPECT_EQ(ArchiveMembers(target), members);
        // And again in place, over the file it has just written.
        Click(IDC_SAVE);
        EXPECT_TRUE(Seen().empty());
        EXPECT_EQ(ArchiveMembers(target), members);
    }
}

TEST_F(EditorTest, ExportWritesToTheLongestPaths)
{
    std::string path = MakeArchive("a.viv", {{"member.txt", "content"}});
    CreateMainDialog(path);
    for (const LongPath& c : longPaths) {
        std::string target = folder.PathOfLength(c.length, c.nameLength);
        SelectRows({0});
        ExpectFileDialog("Export file", target);
        Click(IDC_EXPORT);
        EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Export file", "member.txt"}})) << c.length << " " << c.nameLength;
        EXPECT_EQ(ReadBytes(target), BytesOf("content"));
        EXPECT_TRUE(SelectedRows().empty());
        EXPECT_EQ(Status(), path);
    }
}

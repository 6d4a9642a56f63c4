#include <filesystem>

#include "EditorFixture.h"

namespace {
using Members = std::vector<std::pair<std::string, std::string>>;

Members TableMembers()
{
    Members members;
    for (const ArchiveEntry& entry : documentState.table)
        members.emplace_back(entry.name, std::string(entry.data.begin(), entry.data.end()));
    return members;
}

// Holds a file open so that no one else may open it (share mode 0), or replace it.
struct HeldFile {
    explicit HeldFile(const std::string& path, DWORD share)
        : handle(CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~HeldFile() { CloseHandle(handle); }
    HANDLE handle;
};
}  // namespace

TEST_F(EditorTest, ImportAppendsANewMember)
{
    std::string path = MakeArchive("a.viv", {{"a.txt", "0123456789"}});
    std::string loose = folder.File("New File.bin");
    WriteBytes(loose, Bytes{0, 1, 2, 0x1a, 0xff});
    std::string empty = folder.File("empty");
    WriteBytes(empty, {});
    CreateMainDialog(path);
    SelectRows({0});

    ExpectFileDialog("Import file", loose);
    Click(IDC_IMPORT);
    ExpectFileDialog("Import file", empty);
    Click(IDC_IMPORT);
    EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Import file", ""}, {"Import file", ""}}));
    EXPECT_EQ(Rows(), (std::vector<Row>{{"a.txt", "10"}, {"New File.bin", "5"}, {"empty", "0"}}));
    EXPECT_EQ(TableMembers()[1].second, std::string("\0\1\2\x1a\xff", 5));
    EXPECT_TRUE(SelectedRows().empty());
    EXPECT_EQ(Status(), path);
    EXPECT_EQ(documentState.currentPath, path);
    EXPECT_EQ(ArchiveMembers(path).size(), 1u) << "Import does not write the archive";

    // A name that differs in letter case is another name: no prompt.
    WriteBytes(folder.File("A.TXT"), BytesOf("upper"));
    ExpectFileDialog("Import file", folder.File("A.TXT"));
    Click(IDC_IMPORT);
    EXPECT_EQ(Seen().size(), 1u);
    EXPECT_EQ(Rows().back(), (Row{"A.TXT", "5"}));
}

TEST_F(EditorTest, ImportOfAnExistingNameAsksFirst)
{
    // Two members of one name, as an archive from elsewhere may hold: the first is offered.
    std::string path = MakeArchive("a.viv", {{"x", "1"}, {"a.txt", "0123456789"}, {"a.txt", "second"}});
    std::filesystem::create_directory(folder.path / "sub");
    std::string loose = folder.File("sub\\a.txt");
    WriteBytes(loose, BytesOf("twenty bytes of text"));
    CreateMainDialog(path);
    const std::string prompt = "Replace file:\n   a.txt (10 bytes)\nwith file:\n   a.txt (20 bytes)\n";

    ExpectFileDialog("Import file", loose);
    ExpectMessageBox("Replace file", IDCANCEL);
    Click(IDC_IMPORT);
    EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Import file", ""}, {"Replace file", prompt}}));
    EXPECT_EQ(TableMembers(), (Members{{"x", "1"}, {"a.txt", "0123456789"}, {"a.txt", "second"}}));
    EXPECT_EQ(Status(), path);

    ExpectFileDialog("Import file", loose);
    ExpectMessageBox("Replace file", IDOK);
    Click(IDC_IMPORT);
    EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Import file", ""}, {"Replace file", prompt}}));
    EXPECT_EQ(TableMembers(), (Members{{"x", "1"}, {"a.txt", "twenty bytes of text"}, {"a.txt", "second"}}));
    EXPECT_EQ(Rows(), (std::vector<Row>{{"x", "1"}, {"a.txt", "20"}, {"a.txt", "6"}}));
    EXPECT_EQ(Status(), path);
}

TEST_F(EditorTest, ImportIntoANewArchive)
{
    std::string loose = folder.File("only.txt");
    WriteBytes(loose, BytesOf("x"));
    CreateMainDialog();
    Click(IDC_IMPORT);  // no document: nothing at all
    EXPECT_TRUE(Seen().empty());
    Click(IDC_NEW);
    ExpectFileDialog("Import file", loose);
    Click(IDC_IMPORT);
    EXPECT_EQ(Seen().size(), 1u);
    EXPECT_EQ(Rows(), (std::vector<Row>{{"only.txt", "1"}}));
    EXPECT_EQ(Status(), "C:\\unnamed.viv");
}

TEST_F(EditorTest, ImportReportsFilesItCannotTake)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}});
    std::string locked = folder.File("locked.bin");
    WriteBytes(locked, BytesOf("data"));
    // A file of 4 GiB: its length does not fit a member (sparse, so it costs no disk).
    std::string huge = folder.File("huge.bin");
    {
        HANDLE file = CreateFileA(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        LARGE_INTEGER length;
        length.QuadPart = 0x100000000LL;
        SetFilePointerEx(file, length, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }
    CreateMainDialog(path);

    HeldFile holder(locked, 0);
    ExpectFileDialog("Import file", locked);
    ExpectMessageBox("Error");
    Click(IDC_IMPORT);
    ExpectFileDialog("Import file", huge);
    ExpectMessageBox("Error");
    Click(IDC_IMPORT);
    EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Import file", ""},
                                               {"Error", "File couldn't be opened:\n" + locked},
                                               {"Import file", ""},
                                               {"Error", "File is too large:\n" + huge}}));
    EXPECT_EQ(Rows(), (std::vector<Row>{{"a", "1"}}));
    EXPECT_EQ(Status(), path);
    EXPECT_TRUE(documentState.documentOpen);
}

TEST_F(EditorTest, ExportWritesEachSelectedMember)
{
    std::string path = MakeArchive("a.viv", {{"one.txt", "1"}, {"two.txt", "22"}, {"skip", "s"}, {"three.txt", ""}});
    std::string first = folder.File("first.out");
    std::string third = folder.File("third.out");
    WriteBytes(third, BytesOf("an older and much longer content"));
    CreateMainDialog(path);

    ExpectMessageBox("Error");
    Click(IDC_EXPORT);
    EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Error", "No file selected."}}));

    SelectRows({0, 1, 3});
    ExpectFileDialog("Export file", first);
    ExpectFileDialog("Export file", "");
    ExpectFileDialog("Export file", third);
    Click(IDC_EXPORT);
    EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Export file", "one.txt"}, {"Export file", "two.txt"}, {"Export file", "three.txt"}}));
    EXPECT_EQ(ReadBytes(first), BytesOf("1"));
    EXPECT_EQ(ReadBytes(third), Bytes{});
    EXPECT_EQ(SelectedRows(), std::vector<int>{1});
    EXPECT_EQ(Status(), path);
}

// A member's name must not steer the save dialog into another folder or past its buffer.
TEST_F(EditorTest, ExportOffersOnlyASafeFileName)
{
    std::string path = MakeArchive("a.viv", {{"..\\..\\Windows\\evil:name?.txt", "e"},
                                             {"data/sub/level<1>.dat", "d"},
                                             {"tab\there|*\"", "t"},
                                             {"", "empty name"},
                                             {std::string(300, 'n'), "long"}});
    CreateMainDialog(path);
    SelectRows({0, 1, 2, 3, 4});
    for (int i = 0; i < 5; ++i)
        ExpectFileDialog("Export file", "");
    Click(IDC_EXPORT);
    std::vector<SeenWindow> seen = Seen();
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0].text, "evil_name_.txt");
    EXPECT_EQ(seen[1].text, "level_1_.dat");
    EXPECT_EQ(seen[2].text, "tab_here___");
    EXPECT_EQ(seen[3].text, "");
    EXPECT_EQ(seen[4].text, std::string(259, 'n'));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2, 3, 4}));
}

// The safe writer keeps the old file whole; the row stays selected and the next one follows.
TEST_F(EditorTest, ExportReportsAFileItCannotWrite)
{
    std::string path = MakeArchive("a.viv", {{"a", "new content"}, {"b", "b"}});
    std::string held = folder.File("held.txt");
    WriteBytes(held, BytesOf("old"));
    std::string fine = folder.File("fine.txt");
    CreateMainDialog(path);
    SelectRows({0, 1});
    {
        HeldFile holder(held, FILE_SHARE_READ);
        ExpectFileDialog("Export file", held);
        ExpectMessageBox("Error");
        ExpectFileDialog("Export file", fine);
        Click(IDC_EXPORT);
    }
    EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Export file", "a"},
                                               {"Error", "File couldn't be written:\n" + held},
                                               {"Export file", "b"}}));
    EXPECT_EQ(ReadBytes(held), BytesOf("old"));
    EXPECT_EQ(ReadBytes(fine), BytesOf("b"));
    EXPECT_EQ(SelectedRows(), std::vector<int>{0});
    EXPECT_EQ(Status(), path);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"a.viv", "fine.txt", "held.txt"}));
}

// Only a regular file is read: a device such as NUL would otherwise be taken for an empty file
// (Import) or a damaged archive (Open).
TEST_F(EditorTest, OpenAndImportRefuseADevice)
{
    // The start-up path is made absolute first: "\\.\NUL" for the device.
    char absolute[MAX_PATH];
    DWORD length = GetFullPathNameA("NUL", MAX_PATH, absolute, nullptr);
    ExpectMessageBox("Error");
    CreateMainDialog("NUL");
    EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Error", "File couldn't be opened:\n" + std::string(absolute, length)}}));
    EXPECT_EQ(Status(), "No VIV file opened...");

    std::string path = MakeArchive("a.viv", {{"a", "1"}});
    ExpectFileDialog("Open VIV file", path);
    Click(IDC_OPEN);
    EXPECT_EQ(Seen().size(), 1u);
    // In any folder, as Windows has it for the old device names.
    std::string device = folder.File("NUL");
    ExpectFileDialog("Import file", device);
    ExpectMessageBox("Error");
    Click(IDC_IMPORT);
    EXPECT_EQ(Seen(), (std::vector<SeenWindow>{{"Import file", ""}, {"Error", "File couldn't be opened:\n" + device}}));
    EXPECT_EQ(Rows(), (std::vector<Row>{{"a", "1"}}));
    EXPECT_EQ(Status(), path);
}

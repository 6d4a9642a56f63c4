// Each command of the real dialog run with its nth allocation failing, n = 1, 2, ... until it
// runs clean: every failed run shows "Memory couldn't be allocated." and leaves the document,
// its rows, the status field and the files on disk as the command's own failure handling does,
// and the program goes on: the clean run and a following Save do what they always do. The same
// for the reads of Open and Import.

#include <algorithm>
#include <filesystem>
#include <functional>

#include "EditorFixture.h"
#include "FailingAllocator.h"
#include "FileList.h"
#include "FileSystem.h"

namespace {
using Members = std::vector<std::pair<std::string, std::string>>;

struct EditorState {
    std::string status;
    std::string currentPath;
    bool documentOpen = false;
    std::vector<Row> rows;
    std::vector<int> selected;
    Members members;
    bool operator==(const EditorState&) const = default;
};

[[maybe_unused]] void PrintTo(const EditorState& state, std::ostream* out)
{
    *out << "{status \"" << state.status << "\", path \"" << state.currentPath << "\", open "
         << state.documentOpen << ", " << state.rows.size() << " rows, " << state.selected.size()
         << " selected, " << state.members.size() << " members}";
}

const std::string memoryText = "Memory couldn't be allocated.";
}  // namespace

class FailureLoopTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        SetHarnessWorkHook(PauseAllocationFailure);
    }

    EditorState State() const
    {
        EditorState state{Status(), documentState.currentPath, documentState.documentOpen, Rows(), SelectedRows(), {}};
        for (const ArchiveEntry& entry : documentState.table)
            state.members.emplace_back(entry.name, std::string(entry.data.begin(), entry.data.end()));
        return state;
    }

    // Runs command with the nth allocation failing (and every later one too, with andAfter)
    // until it runs clean. After each failed run the state must be afterFailure and the files
    // in the folder as they were. prepare runs before each run, with allocations as usual.
    // Returns the number of runs.
    int RunFailing(const std::function<void()>& command, const EditorState& afterFailure, bool andAfter = false,
                   const std::function<void()>& prepare = [] {})
    {
        return RunFailing(command, std::vector<EditorState>{afterFailure}, andAfter, prepare);
    }

    // The text the failed runs must show.
    std::string failureText = memoryText;

    // The same, where a failure may leave any of these states.
    int RunFailing(const std::function<void()>& command, const std::vector<EditorState>& afterFailure,
                   bool andAfter = false, const std::function<void()>& prepare = [] {})
    {
        AnswerEvery("Error", PressButton(IDOK));
        const std::vector<std::pair<std::string, Bytes>> files = Files();
        const bool failedBefore = HasFailure();
        for (int nth = 1; nth < 2000; ++nth) {
            prepare();
            FailAllocation(nth, andAfter);
            command();
            bool failed = AllocationFailed();
            FailAllocation(0);
            std::vector<SeenWindow> windows = TakeSeenWindows();
            if (!failed)
                return nth;
            EXPECT_FALSE(windows.empty()) << "allocation " << nth << ": no message";
            if (!windows.empty()) {
                EXPECT_EQ(windows.back(), (SeenWindow{"Error", failureText})) << "allocation " << nth;
            }
            EditorState state = State();
            EXPECT_TRUE(std::find(afterFailure.begin(), afterFailure.end(), state) != afterFailure.end())
                << "allocation " << nth << ": " << ::testing::PrintToString(state);
            EXPECT_TRUE(Files() == files) << "allocation " << nth << ": the files on disk changed";
            if (HasFailure() && !failedBefore)
                return nth;  // one run's failures tell all
        }
        ADD_FAILURE() << "the command never ran clean";
        return 0;
    }

    // Runs command with its nth read of a file failing until no read fails: each failed run
    // must show an error box with text and leave the state afterFailure.
    int RunWithFailingReads(const std::function<void()>& command, const std::string& text,
                            const EditorState& afterFailure)
    {
        AnswerEvery("Error", PressButton(IDOK));
        const std::vector<std::pair<std::string, Bytes>> files = Files();
        for (int nth = 1; nth < 100; ++nth) {
            InjectReadFailure(nth);
            command();
            InjectReadFailure(0);
            std::vector<SeenWindow> windows = TakeSeenWindows();
            if (windows.empty() || windows.back().caption != "Error")
                return nth;
            EXPECT_EQ(windows.back(), (SeenWindow{"Error", text})) << "read " << nth;
            EXPECT_EQ(State(), afterFailure) << "read " << nth;
            EXPECT_TRUE(Files() == files) << "read " << nth << ": the files on disk changed";
        }
        ADD_FAILURE() << "the command never ran clean";
        return 0;
    }

    // The files in the test's folder and their contents.
    std::vector<std::pair<std::string, Bytes>> Files() const
    {
        std::vector<std::pair<std::string, Bytes>> files;
        for (const std::string& name : folder.Names())
            if (std::filesystem::is_regular_file(folder.path / name))
                files.emplace_back(name, ReadBytes(folder.File(name)));
        return files;
    }

    // Save writes exactly these members to the document's file.
    void ExpectSaveWrites(const Members& members)
    {
        Click(IDC_SAVE);
        EXPECT_TRUE(TakeSeenWindows().empty());
        EXPECT_TRUE(ArchiveMembers(documentState.currentPath) == members) << "the saved archive differs";
    }
};

TEST_F(FailureLoopTest, Open)
{
    std::string before = MakeArchive("before.viv", {{"a", "1"}});
    std::string path = MakeArchive("b.viv", {{"big", std::string(200 * 1024, 'B')}, {"y", "yy"}});
    CreateMainDialog(before);
    AnswerEvery("Open VIV file", ChooseFile(path));
    // Before the path is taken from the dialog nothing has changed; from then on a failed Open
    // leaves no document.
    const EditorState noDocument{"No VIV file opened...", "", false, {}, {}, {}};
    EXPECT_GT(RunFailing([&] { Click(IDC_OPEN); }, {State(), noDocument}), 3);
    EXPECT_EQ(Rows(), (std::vector<Row>{{"big", "204800"}, {"y", "2"}}));
    EXPECT_EQ(Status(), path);
    ExpectSaveWrites({{"big", std::string(200 * 1024, 'B')}, {"y", "yy"}});
}

TEST_F(FailureLoopTest, Save)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}, {"b", "22"}});
    CreateMainDialog(path);
    documentState.table.push_back(Entry("c", std::string(200 * 1024, 'c')));
    RefreshFileList();
    const EditorState before = State();
    for (bool andAfter : {false, true}) {
        WriteBytes(path, ReadBytes(path));
        EXPECT_GT(RunFailing([&] { Click(IDC_SAVE); }, before, andAfter), 3);
        EXPECT_EQ(State(), before);
        EXPECT_TRUE(ArchiveMembers(path) == (Members{{"a", "1"}, {"b", "22"}, {"c", std::string(200 * 1024, 'c')}}));
        MakeArchive("a.viv", {{"a", "1"}, {"b", "22"}});
    }
}

// Any other exception that reaches the dispatch is reported in a short text, and the commands
// put their state back as for a lack of memory.
TEST_F(FailureLoopTest, OtherExceptions)
{
    struct OtherErrorOff {
        ~OtherErrorOff() { FailAllocationWithOtherError(false); }
    } off;
    FailAllocationWithOtherError(true);
    failureText = "The command couldn't be completed.";
    std::string path = MakeArchive("a.viv", {{"a", "1"}});
    std::string loose = folder.File("new.bin");
    WriteBytes(loose, Bytes(1000, 'n'));
    CreateMainDialog(path);
    documentState.table.push_back(Entry("c", std::string(1000, 'c')));
    RefreshFileList();
    AnswerEvery("Import file", ChooseFile(loose));
    EXPECT_GT(RunFailing([&] { Click(IDC_SAVE); }, State()), 3);
    EXPECT_GE(RunFailing([&] { Click(IDC_IMPORT); }, State()), 3);
    FailAllocationWithOtherError(false);
    ExpectSaveWrites({{"a", "1"}, {"c", std::string(1000, 'c')}, {"new.bin", std::string(1000, 'n')}});
}

TEST_F(FailureLoopTest, ImportOfANewMember)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}});
    std::string loose = folder.File("new.bin");
    WriteBytes(loose, Bytes(200 * 1024, 'n'));
    CreateMainDialog(path);
    AnswerEvery("Import file", ChooseFile(loose));
    const EditorState before = State();
    for (bool andAfter : {false, true}) {
        EXPECT_GE(RunFailing([&] { Click(IDC_IMPORT); }, before, andAfter), 3);
        EXPECT_EQ(Rows(), (std::vector<Row>{{"a", "1"}, {"new.bin", "204800"}}));
        EXPECT_EQ(Status(), path);
        if (!andAfter) {
            Click(IDC_REMOVE);  // nothing selected: says so and changes nothing
            EXPECT_EQ(TakeSeenWindows(), (std::vector<SeenWindow>{{"Error", "No file selected."}}));
            SelectRows({1});
            Click(IDC_REMOVE);
        }
    }
    ExpectSaveWrites({{"a", "1"}, {"new.bin", std::string(200 * 1024, 'n')}});
}

TEST_F(FailureLoopTest, ImportReplacingAMember)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}, {"b", "22"}});
    std::string loose = folder.File("b");
    WriteBytes(loose, BytesOf("replaced"));
    CreateMainDialog(path);
    AnswerEvery("Import file", ChooseFile(loose));
    AnswerEvery("Replace file", PressButton(IDOK));
    EXPECT_GT(RunFailing([&] { Click(IDC_IMPORT); }, State()), 3);
    EXPECT_EQ(Rows(), (std::vector<Row>{{"a", "1"}, {"b", "8"}}));
    ExpectSaveWrites({{"a", "1"}, {"b", "replaced"}});
}

TEST_F(FailureLoopTest, Remove)
{
    for (bool andAfter : {false, true}) {
        std::string path = MakeArchive("a.viv", {{"a", "1"}, {"b", "22"}, {"c", "333"}});
        CreateMainDialog(path);
        SelectRows({0, 2});
        EXPECT_GE(RunFailing([&] { Click(IDC_REMOVE); }, State(), andAfter), 2);
        EXPECT_EQ(Rows(), (std::vector<Row>{{"b", "2"}}));
        EXPECT_TRUE(SelectedRows().empty());
        ExpectSaveWrites({{"b", "22"}});
        DestroyMainDialog();
    }
}

TEST_F(FailureLoopTest, Export)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}, {"big", std::string(200 * 1024, 'E')}});
    std::string target = folder.File("exported.bin");
    WriteBytes(target, BytesOf("old content"));
    CreateMainDialog(path);
    SelectRows({1});
    AnswerEvery("Export file", ChooseFile(target));
    EXPECT_GT(RunFailing([&] { Click(IDC_EXPORT); }, State()), 3);
    EXPECT_EQ(ReadBytes(target), Bytes(200 * 1024, 'E'));
    EXPECT_TRUE(SelectedRows().empty());
    ExpectSaveWrites({{"a", "1"}, {"big", std::string(200 * 1024, 'E')}});
}

// The end of the in-place edit, which reaches the dialog as a notification from the list.
TEST_F(FailureLoopTest, Rename)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}, {"b", "22"}});
    CreateMainDialog(path);
    for (bool andAfter : {false, true}) {
        auto startEdit = [&] {
            SelectRows({andAfter ? 1 : 0});
            Click(IDC_RENAME);
        };
        // Longer than a string holds in itself, so that taking it needs memory.
        std::string newName = andAfter ? "a renamed member, in a longer name" : "renamed, in a long name";
        EditorState unchanged = State();
        unchanged.selected = {andAfter ? 1 : 0};
        EXPECT_GE(RunFailing([&] { ConfirmRowEdit(dialog, newName); }, unchanged, andAfter, startEdit), 2);
        EXPECT_EQ(Rows()[andAfter ? 1 : 0].first, newName);
    }
    ExpectSaveWrites({{"renamed, in a long name", "1"}, {"a renamed member, in a longer name", "22"}});
}

// A read that fails while a file is read: Open and Import say the file couldn't be opened and
// change nothing else (Open: no document).
TEST_F(FailureLoopTest, OpenAndImportMeetingAFailedRead)
{
    std::string path = MakeArchive("a.viv", {{"a", "1"}, {"big", std::string(300 * 1024, 'B')}});
    std::string loose = folder.File("loose.bin");
    WriteBytes(loose, Bytes(300 * 1024, 'L'));
    CreateMainDialog();
    AnswerEvery("Open VIV file", ChooseFile(path));
    AnswerEvery("Import file", ChooseFile(loose));
    const EditorState noDocument{"No VIV file opened...", "", false, {}, {}, {}};
    EXPECT_GE(RunWithFailingReads([&] { Click(IDC_OPEN); }, "File couldn't be opened:\n" + path, noDocument), 3);
    EXPECT_EQ(Rows(), (std::vector<Row>{{"a", "1"}, {"big", "307200"}}));
    EXPECT_GE(RunWithFailingReads([&] { Click(IDC_IMPORT); }, "File couldn't be opened:\n" + loose, State()), 2);
    EXPECT_EQ(Rows().back(), (Row{"loose.bin", "307200"}));
    ExpectSaveWrites({{"a", "1"}, {"big", std::string(300 * 1024, 'B')}, {"loose.bin", std::string(300 * 1024, 'L')}});
}

// The list's search for what the user typed runs outside any command: without memory it finds
// no row, and the program goes on.
TEST_F(FailureLoopTest, TypeAheadSearchWithoutMemoryFindsNothing)
{
    const std::string longName(40, 'n');
    CreateMainDialog(MakeArchive("a.viv", {{"a", "1"}, {longName, "22"}}));
    const std::wstring wideName(longName.begin(), longName.end());
    for (bool wide : {false, true}) {
        NMLVFINDITEMA ansi = {};
        ansi.hdr.code = LVN_ODFINDITEMA;
        ansi.lvfi.flags = LVFI_STRING;
        ansi.lvfi.psz = longName.c_str();
        NMLVFINDITEMW unicode = {};
        unicode.hdr.code = LVN_ODFINDITEMW;
        unicode.lvfi.flags = LVFI_STRING;
        unicode.lvfi.psz = wideName.c_str();
        auto request = wide ? reinterpret_cast<LPARAM>(&unicode) : reinterpret_cast<LPARAM>(&ansi);

        FailAllocation(1, true);
        INT_PTR handled = MainDialogProc(dialog, WM_NOTIFY, IDC_FILE_LIST, request);
        bool failed = AllocationFailed();
        FailAllocation(0);
        EXPECT_TRUE(failed) << "the search needs memory for a name this long";
        EXPECT_EQ(handled, TRUE);
        EXPECT_EQ(GetWindowLongPtrA(dialog, DWLP_MSGRESULT), -1) << "wide " << wide;

        ASSERT_EQ(MainDialogProc(dialog, WM_NOTIFY, IDC_FILE_LIST, request), TRUE);
        EXPECT_EQ(GetWindowLongPtrA(dialog, DWLP_MSGRESULT), 1) << "wide " << wide;
    }
    EXPECT_TRUE(Seen().empty());
}

#include <gtest/gtest.h>

#include "VivRun.h"

#ifndef _WIN32
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#endif

namespace {
const std::string notValid = "File is not a valid VIV file: ";
const std::string bigf = "not a VIV archive: it does not begin with \"BIGF\"";

// Every command that reads an archive, run on path; the names and files exist nowhere.
std::vector<std::vector<std::string>> CommandsOn(const std::string& path, const TempFolder& folder)
{
    std::string file = folder.File("file.txt");
    WriteBytes(file, BytesOf("new"));
    return {{"list", path},          {"extract", path, "-C", folder.path.string()},
            {"add", path, file},     {"remove", path, "a"},
            {"rename", path, "a", "b"}};
}
}  // namespace

TEST(List, PrintsSizeTabAndEscapedNameInArchiveOrder)
{
    TempFolder folder;
    std::string path = folder.File("a.viv");
    WriteBytes(path, Archive({{"b.txt", "bbb"}, {"", ""}, {"dir\\tab\there", "x"}, {"\xe9t\xe9", "12345"}, {"a", ""}}));
    VivResult result = Viv({"list", path});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "3\tb.txt\n0\t\n1\tdir\\\\tab\\x09here\n5\t\xe9t\xe9\n0\ta\n");
    EXPECT_EQ(result.err, "");

    WriteBytes(path, Header(16, 0, 16));
    result = Viv({"list", path});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
}

TEST(Check, IsSilentAboutASoundArchive)
{
    TempFolder folder;
    std::string path = folder.File("a.viv");
    // Oddities the loader accepts: wrong header sums, members out of order, duplicate names.
    WriteBytes(path, Concat({Header(999, 3, 7), Record(38, 2, "a"), Record(36, 2, "a"), Record(36, 0, ""), BytesOf("BBAA")}));
    VivResult result = Viv({"check", path});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out + result.err, "");
}

// Every command refuses a damaged archive as the editor does and leaves it as it was; check
// names every problem.
TEST(DamagedArchives, AreRefusedByEveryCommandAndCheckNamesEachProblem)
{
    const struct {
        const char* what;
        Bytes file;
        std::vector<std::string> problems;
    } cases[] = {
        {"empty file", {}, {bigf}},
        {"shorter than the magic", BytesOf("BIG"), {bigf}},
        {"wrong magic", Concat({BytesOf("BIGH"), Be32(16), Be32(0), Be32(16)}), {bigf}},
        {"magic only", BytesOf("BIGF"), {"the file ends inside the 16-byte header"}},
        {"header cut short", Concat({BytesOf("BIGF"), Be32(16), Be32(0)}), {"the file ends inside the 16-byte header"}},
        {"four billion entries in 16 bytes", Header(16, 0xFFFFFFFFu, 16),
         {"the header claims 4294967295 entries, more than a file of this length can hold",
          "record 0: the directory runs past the end of the file"}},
        {"data past the end", Concat({Header(0, 1, 0), Record(30, 4, "a.txt"), BytesOf("abc")}),
         {"record 0: its data runs past the end of the file"}},
        {"offset plus size wraps around", Concat({Header(0, 1, 0), Record(0xFFFFFFFFu, 2, "a"), BytesOf("ab")}),
         {"record 0: its data runs past the end of the file"}},
        {"several faults", Concat({Header(0, 3, 0), Record(36, 1, "a"), Record(0, 99, "b"), Be32(0)}),
         {"the header claims 3 entries, more than a file of this length can hold",
          "record 1: its data runs past the end of the file", "record 2: the directory runs past the end of the file"}},
    };
    TempFolder folder;
    std::string path = folder.File("bad.viv");
    for (const auto& c : cases) {
        WriteBytes(path, c.file);
        VivResult check = Viv({"check", path});
        EXPECT_EQ(check.status, 1) << c.what;
        std::string expected;
        for (const std::string& problem : c.problems)
            expected += "viv: " + path + ": " + problem + "\n";
        EXPECT_EQ(check.err, expected) << c.what;

        for (const auto& command : CommandsOn(path, folder)) {
            VivResult result = Viv(command);
            EXPECT_EQ(result.status, 1) << c.what << ", " << command[0];
            EXPECT_EQ(result.err, "viv: " + notValid + path + "\n") << c.what << ", " << command[0];
            EXPECT_EQ(result.out, "") << c.what << ", " << command[0];
            EXPECT_EQ(ReadBytes(path), c.file) << c.what << ", " << command[0];
        }
    }
}

TEST(DamagedArchives, EveryCutShortArchiveIsRefused)
{
    const Bytes whole = Archive({{"a.txt", "abc"}, {"b", "defg"}});
    TempFolder folder;
    std::string path = folder.File("cut.viv");
    for (std::size_t length = 0; length < whole.size(); ++length) {
        WriteBytes(path, Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        VivResult check = Viv({"check", path});
        EXPECT_EQ(check.status, 1) << length;
        EXPECT_NE(check.err, "") << length;
        VivResult list = Viv({"list", path});
        EXPECT_EQ(list.status, 1) << length;
        EXPECT_EQ(list.out, "") << length;
        EXPECT_EQ(list.err, "viv: " + notValid + path + "\n") << length;
    }
}

TEST(MissingArchive, IsReportedByEveryCommand)
{
    TempFolder folder;
    std::string path = folder.File("missing.viv");
    auto commands = CommandsOn(path, folder);
    commands.push_back({"check", path});
    for (const auto& command : commands) {
        VivResult result = Viv(command);
        EXPECT_EQ(result.status, 1) << command[0];
        EXPECT_EQ(result.err, "viv: File couldn't be opened: " + path + "\n") << command[0];
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"file.txt"});
}

#ifndef _WIN32
namespace {
// Runs the real program with its output and messages on a terminal (a pseudo-terminal) whose
// encoding is that of locale; returns what the terminal received, its line ends made "\n".
std::string OnTerminal(const std::vector<std::string>& arguments, const char* locale)
{
    int terminal = -1;
    pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        ::setenv("LC_ALL", locale, 1);
        std::vector<char*> argv{const_cast<char*>(VIV_PROGRAM)};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        ::execv(VIV_PROGRAM, argv.data());
        ::_exit(127);
    }
    std::string received;
    char buffer[4096];
    for (;;) {
        ssize_t got = ::read(terminal, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;  // EIO once the program has ended and closed its side
        received.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(terminal);
    ::waitpid(child, nullptr, 0);
    for (std::size_t at = received.find("\r\n"); at != std::string::npos; at = received.find("\r\n", at))
        received.erase(at, 1);
    return received;
}
}  // namespace

// 0x9B starts a control sequence on 8-bit terminals as ESC does, and U+009B does on UTF-8
// ones; the bytes 0x80 to 0x9F inside other UTF-8 characters are no controls. To a file every
// byte stays.
TEST(List, EscapesC1ControlsOnlyOnATerminal)
{
    TempFolder folder;
    std::string path = folder.File("a.viv");
    WriteBytes(path, Archive({{"\x9b" "31mred", "1"}, {"\xc2\x9b" "2J", "22"}, {"\xc3\xa9t\xc3\xa9", "333"},
                              {"\xe6\x97\xa5", "4444"}}));
    EXPECT_EQ(OnTerminal({"list", path}, "C.UTF-8"),
              "1\t\\x9b31mred\n2\t\\xc2\\x9b2J\n3\t\xc3\xa9t\xc3\xa9\n4\t\xe6\x97\xa5\n");
    EXPECT_EQ(OnTerminal({"list", path}, "C"),
              "1\t\\x9b31mred\n2\t\xc2\\x9b2J\n3\t\xc3\xa9t\xc3\xa9\n4\t\xe6\\x97\xa5\n");
    EXPECT_EQ(OnTerminal({"remove", path, "\xc2\x9b" "x"}, "C.UTF-8"), "viv: No member of that name: \\xc2\\x9bx\n");

    VivResult result = RunProgram(folder, "list a.viv");
    EXPECT_EQ(result.out, "1\t\x9b" "31mred\n2\t\xc2\x9b" "2J\n3\t\xc3\xa9t\xc3\xa9\n4\t\xe6\x97\xa5\n");
}

// A FIFO or a device in place of the archive or of a file to add: every command refuses it at
// once, as a file that couldn't be opened, instead of waiting for a writer or reading a device.
// Run as the program itself, so that a command that waits is killed rather than holding the tests.
TEST(NotARegularFile, IsRefusedAtOnceByEveryCommand)
{
    TempFolder folder;
    ASSERT_EQ(::mkfifo(folder.File("fifo").c_str(), 0600), 0);
    WriteBytes(folder.File("a.viv"), Archive({{"a", "1"}}));
    const Bytes archive = ReadBytes(folder.File("a.viv"));
    const struct {
        std::string arguments;
        std::string path;
    } cases[] = {
        {"list fifo", "fifo"},
        {"check fifo", "fifo"},
        {"extract fifo", "fifo"},
        {"add fifo a.viv", "fifo"},
        {"remove fifo a", "fifo"},
        {"rename fifo a b", "fifo"},
        {"add a.viv fifo", "fifo"},
        {"create new.viv fifo", "fifo"},
        {"list /dev/null", "/dev/null"},
        {"add a.viv /dev/null", "/dev/null"},
    };
    for (const auto& c : cases) {
        VivResult result = RunProgram(folder, c.arguments);
        EXPECT_EQ(result.status, 1) << c.arguments;
        EXPECT_EQ(result.err, "viv: File couldn't be opened: " + c.path + "\n") << c.arguments;
    }
    EXPECT_EQ(ReadBytes(folder.File("a.viv")), archive);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"a.viv", "fifo"}));
}
#endif

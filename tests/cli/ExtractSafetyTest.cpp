// Extraction against other processes and against names built to exhaust it.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "NameEscape.h"
#include "Platform.h"
#include "VivRun.h"

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using Strings = std::vector<std::string>;

namespace {
#ifndef _WIN32
// The content of the file at name below root, opened folder by folder: the whole path may be
// longer than the system takes at once.
std::string ContentBelow(const std::string& root, const std::string& name)
{
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
    std::size_t start = 0;
    for (std::size_t slash = name.find('/'); fd >= 0; slash = name.find('/', start)) {
        std::string part = name.substr(start, slash - start);
        int next = ::openat(fd, part.c_str(), slash == std::string::npos ? O_RDONLY : O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    if (fd < 0)
        return "(missing)";
    std::string content(64, '\0');
    ssize_t got = ::read(fd, content.data(), content.size());
    ::close(fd);
    content.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return content;
}

// rm walks a tree by descriptors; std::filesystem by whole paths, which fail past 4096 bytes.
void RemoveDeepTree(const std::string& root)
{
    EXPECT_EQ(std::system(("rm -rf " + Quoted(root)).c_str()), 0);
}
#endif

std::string Repeated(std::string_view part, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += part;
    return text;
}
}  // namespace

// Names too long or too deep are refused with a message before anything is made for them;
// the longest and deepest that are allowed are written.
TEST(ExtractSafety, NamesPastTheLimitsMakeNothing)
{
    const std::string longest = Repeated(std::string(255, 'x') + "/", 15) + std::string(255, 'y');  // 4095 bytes
    const std::string deepest = Repeated("a/", 254) + "z";                                          // 255 parts
    const struct {
        std::string name;
        bool written;
    } cases[] = {
        {"z/" + longest, false},
        {Repeated("a/", 255) + "z", false},
        {Repeated("b/", 2000) + "z", false},
        {Repeated("c/", 1024 * 512), false},  // 1 MiB of "c/"
#ifndef _WIN32
        // Windows' paths end at 259 characters.
        {longest, true},
        {deepest, true},
#endif
    };
    for (const auto& c : cases) {
        TempFolder folder;
        std::string out = folder.File("out");
        std::filesystem::create_directory(out);
        std::string archive = folder.File("a.viv");
        WriteBytes(archive, Archive({{c.name, "data"}}));
        VivResult result = Viv({"extract", archive, "-C", out});
        std::string shown = EscapeName(c.name.substr(0, 100)) + "...";
        if (c.written) {
            EXPECT_EQ(result.status, 0) << shown;
            EXPECT_EQ(result.err, "");
#ifndef _WIN32
            EXPECT_EQ(ContentBelow(out, c.name), "data") << shown;
            RemoveDeepTree(out);
#endif
        } else {
            EXPECT_EQ(result.status, 1) << shown;
            EXPECT_EQ(result.err, "viv: Member skipped, its name is longer than 4095 bytes or 255 parts: " + shown + "\n");
            EXPECT_TRUE(std::filesystem::is_empty(out)) << shown;
        }
    }
}

#ifdef _WIN32
// Windows' ANSI calls cannot look at a path past 259 characters, but the safe writer's
// rename can still write one: a file that cannot be identified might be one this run wrote,
// so a member that leads to it is skipped rather than let replace it.
TEST(ExtractSafety, AFileThatCannotBeIdentifiedIsNotReplaced)
{
    TempFolder folder;
    std::string out = folder.File("out");
    std::filesystem::create_directory(out);
    std::string name = std::string(270 - out.size(), 'n');  // a path of 270 characters
    std::string upper = std::string(name.size(), 'N');
    std::string archive = folder.File("a.viv");
    WriteBytes(archive, Archive({{name, "first"}, {name, "second"}, {upper, "third"}, {"short", "s"}}));

    VivResult result = Viv({"extract", archive, "-C", out});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "viv: Member skipped, its file couldn't be identified: " + name + "\n" +
                              "viv: Member skipped, its file couldn't be identified: " + name + "\n" +
                              "viv: Member skipped, its file couldn't be identified: " + upper + "\n");
    EXPECT_EQ(Tree(out), Strings{"short=s"});
}
#else
// A second process swaps a folder on the members' way for a link to a folder outside, over
// and over, while members are extracted: whenever the swap comes, nothing lands outside. The
// members alternate between the folder and the top, so the folder is opened anew each time.
TEST(ExtractSafety, AFolderSwappedForALinkLeadsNowhere)
{
    TempFolder folder;
    std::filesystem::path out = folder.path / "out";
    std::filesystem::path outside = folder.path / "outside";
    std::filesystem::create_directories(out / "d");
    std::filesystem::create_directory(outside);
    std::filesystem::create_directory_symlink(outside, out / "swap");
    const std::string real = (out / "d").string();
    const std::string link = (out / "swap").string();
    if (::renameat2(AT_FDCWD, real.c_str(), AT_FDCWD, link.c_str(), RENAME_EXCHANGE) != 0)
        GTEST_SKIP() << "this file system cannot exchange two names";

    std::vector<std::pair<std::string, std::string>> members;
    for (int i = 0; i < 500; ++i) {
        members.emplace_back("d/f" + std::to_string(i), "inside");
        members.emplace_back("t" + std::to_string(i), "top");
    }
    std::string archive = folder.File("a.viv");
    WriteBytes(archive, Archive(members));

    pid_t swapper = ::fork();
    ASSERT_GE(swapper, 0);
    if (swapper == 0) {
        for (;;)
            ::renameat2(AT_FDCWD, real.c_str(), AT_FDCWD, link.c_str(), RENAME_EXCHANGE);
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    int rounds = 0;
    int skipped = 0;
    do {
        VivResult result = Viv({"extract", archive, "-C", out.string()});
        skipped += result.status;
        ++rounds;
    } while (std::chrono::steady_clock::now() < end && std::filesystem::is_empty(outside));
    ::kill(swapper, SIGKILL);
    ::waitpid(swapper, nullptr, 0);

    EXPECT_TRUE(std::filesystem::is_empty(outside)) << "after " << rounds << " rounds: " << Tree(outside).size()
                                                    << " files outside";
    // The swap really met the extraction: some members were refused for the link.
    EXPECT_GT(skipped, 0) << rounds << " rounds";
}
#endif

// What replacing an archive keeps on POSIX: who may read it, and the file a link points to.
// (On Windows the editor and viv replace the file itself, as before.)

#include <gtest/gtest.h>

#include "VivRun.h"

#ifndef _WIN32
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using Strings = std::vector<std::string>;

namespace {
struct stat StatOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

std::string LinkText(const std::string& path)
{
    char text[4096];
    ssize_t length = ::readlink(path.c_str(), text, sizeof text);
    return length < 0 ? "(not a link)" : std::string(text, static_cast<std::size_t>(length));
}
}  // namespace

// The new archive gets the old one's permission bits, and its owner and group where the
// process may set them (root may); set-user-ID and the like are not handed on to new content.
TEST(ArchiveReplace, KeepsPermissionBitsOwnerAndGroup)
{
    const bool root = ::geteuid() == 0;
    const struct {
        mode_t mode;
        uid_t owner;
        gid_t group;
        mode_t expected;
    } cases[] = {
        {0600, ::geteuid(), ::getegid(), 0600},
        {0640, ::geteuid(), ::getegid(), 0640},
        {0604, ::geteuid(), ::getegid(), 0604},
        {0755, ::geteuid(), ::getegid(), 0755},
        {0400, ::geteuid(), ::getegid(), 0400},
        {04755, ::geteuid(), ::getegid(), 0755},
        {0640, 12345, 23456, 0640},
        {0600, 12345, ::getegid(), 0600},
    };
    for (const auto& c : cases) {
        if (!root && (c.owner != ::geteuid() || c.group != ::getegid()))
            continue;
        TempFolder folder;
        std::string archive = folder.File("a.viv");
        WriteBytes(archive, Archive({{"old", "1"}}));
        WriteBytes(folder.File("f"), BytesOf("f"));
        ASSERT_EQ(::chown(archive.c_str(), c.owner, c.group), 0);
        ASSERT_EQ(::chmod(archive.c_str(), c.mode), 0);
        for (const Strings& command : {Strings{"add", archive, folder.File("f")}, Strings{"remove", archive, "f"},
                                       Strings{"create", archive, folder.File("f")}}) {
            VivResult result = Viv(command);
            EXPECT_EQ(result.status, 0) << command[0] << " " << result.err;
            struct stat info = StatOf(archive);
            EXPECT_EQ(info.st_mode & 07777, c.expected) << command[0] << " of mode " << std::oct << c.mode;
            EXPECT_EQ(info.st_uid, c.owner) << command[0];
            EXPECT_EQ(info.st_gid, c.group) << command[0];
        }
        EXPECT_EQ(folder.Names(), (Strings{"a.viv", "f"}));
    }
}

// A process that may not set the old group gets its own instead, and the bits that were meant
// for the old group are dropped: rewriting never lets more people read the archive.
TEST(ArchiveReplace, NeverWidensWhoMayRead)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    const uid_t user = 65534;  // nobody, in no group of its own but 65534
    const gid_t group = 23456;
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.path.c_str(), 0777), 0);
    std::string archive = folder.File("a.viv");
    WriteBytes(archive, Archive({{"old", "1"}}));
    WriteBytes(folder.File("f"), BytesOf("f"));
    ASSERT_EQ(::chown(archive.c_str(), user, group), 0);
    ASSERT_EQ(::chmod(archive.c_str(), 0664), 0);

    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(user) != 0 || ::setuid(user) != 0)
            ::_exit(99);
        ::_exit(Viv({"add", archive, folder.File("f")}).status);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    struct stat info = StatOf(archive);
    EXPECT_EQ(info.st_uid, user);
    EXPECT_EQ(info.st_gid, user);
    EXPECT_EQ(info.st_mode & 0777, 0604u);
    EXPECT_EQ(Loaded(archive), (Strings{"old=1", "f=f"}));
}

// A target that is a symbolic link: the file it points to (through any number of links, in
// any folder) is replaced in its own folder, and the link stays as it was. A link to nothing
// yet makes the file it names. Hard links are another matter: any replace in one step makes
// a new file, so the other names keep the old content.
TEST(ArchiveReplace, WritesThroughSymbolicLinks)
{
    const struct {
        std::vector<std::pair<std::string, std::string>> links;  // name, text
        std::string command;
        std::string written;  // the file that holds the new archive
    } cases[] = {
        {{{"link.viv", "real.viv"}}, "add", "real.viv"},
        {{{"link.viv", "sub/real.viv"}}, "add", "sub/real.viv"},
        {{{"link.viv", "ABSOLUTE/other/real.viv"}}, "add", "other/real.viv"},
        {{{"link.viv", "sub/link1"}, {"sub/link1", "../other/real.viv"}}, "add", "other/real.viv"},
        {{{"link.viv", "sub/new.viv"}}, "create", "sub/new.viv"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        std::filesystem::create_directory(folder.path / "sub");
        std::filesystem::create_directory(folder.path / "other");
        for (const char* real : {"real.viv", "sub/real.viv", "other/real.viv"})
            WriteBytes(folder.File(real), Archive({{"old", "1"}}));
        WriteBytes(folder.File("f"), BytesOf("f"));
        for (const auto& [name, text] : c.links) {
            std::string target = text.starts_with("ABSOLUTE/") ? folder.File(text.substr(9)) : text;
            std::filesystem::create_symlink(target, folder.path / name);
        }
        std::string link = folder.File("link.viv");
        std::string before = LinkText(link);

        VivResult result = Viv({c.command, link, folder.File("f")});
        EXPECT_EQ(result.status, 0) << c.written << " " << result.err;
        EXPECT_EQ(LinkText(link), before) << c.written;
        Strings expected = c.command == "add" ? Strings{"old=1", "f=f"} : Strings{"f=f"};
        EXPECT_EQ(Loaded(folder.File(c.written)), expected) << c.written;
        for (const char* real : {"real.viv", "sub/real.viv", "other/real.viv"}) {
            if (c.written != real) {
                EXPECT_EQ(Loaded(folder.File(real)), Strings{"old=1"}) << real;
            }
        }
        std::size_t items = 0;
        for (const auto& item : std::filesystem::recursive_directory_iterator(folder.path))
            items += item.path().filename().string().starts_with("~") ? 100u : 1u;
        EXPECT_EQ(items, 6 + c.links.size() + (c.command == "create" ? 1 : 0)) << "no temporary file left";
    }

    TempFolder folder;
    std::string archive = folder.File("a.viv");
    WriteBytes(archive, Archive({{"old", "1"}}));
    ASSERT_EQ(::link(archive.c_str(), folder.File("hard.viv").c_str()), 0);
    WriteBytes(folder.File("f"), BytesOf("f"));
    EXPECT_EQ(Viv({"add", archive, folder.File("f")}).status, 0);
    EXPECT_EQ(Loaded(archive), (Strings{"old=1", "f=f"}));
    EXPECT_EQ(Loaded(folder.File("hard.viv")), Strings{"old=1"});
}
#endif

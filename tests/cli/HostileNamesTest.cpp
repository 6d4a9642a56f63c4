#include <gtest/gtest.h>

#include <algorithm>

#include "NameEscape.h"
#include "VivRun.h"

// Every member is either refused with a message or written inside the folder at the path its
// name gives, and nothing is ever written outside, even through a link planted in the folder.
TEST(HostileNames, NothingIsWrittenOutsideTheFolder)
{
    TempFolder folder;
    std::filesystem::path out = folder.path / "dir" / "out";
    std::filesystem::path outside = folder.path / "outside";
    std::filesystem::create_directories(out);
    std::filesystem::create_directory(outside);
    std::error_code noLink;
    std::filesystem::create_directory_symlink(outside, out / "link", noLink);
    bool linkPlanted = !noLink;

    enum Outcome { unsafe, throughLink, replacesLink, written };
    const struct {
        std::string name;
        Outcome outcome;
    } cases[] = {
        {"../escape", unsafe},
        {"../../escape", unsafe},
        {"a/../../escape", unsafe},
        {"..\\escape", unsafe},
        {"..", unsafe},
        {".", unsafe},
        {"", unsafe},
        {(outside / "absolute").string(), unsafe},
        {"/absolute", unsafe},
        {"\\absolute", unsafe},
        {"\\\\server\\share\\unc", unsafe},
        {"C:drive", unsafe},
        {"C:\\drive", unsafe},
        {"file:stream", unsafe},
        {"dir//double", unsafe},
        {"trailing/", unsafe},
        {"CON", unsafe},
        {"sub/nul.txt", unsafe},
        {"COM1.log", unsafe},
        {"dot.", unsafe},
        {"blank ", unsafe},
        {"bad\x01" "byte", unsafe},
        {"q?", unsafe},
        {std::string(256, 'x'), unsafe},
        {"link/through", throughLink},
        {"link\\through too", throughLink},
        {"link/../../escape", unsafe},
        {"link", replacesLink},  // the link itself, after the members that tried to use it
        {"fine/sub\\name.txt", written},
        {".hidden", written},
    };
    // Where no link can be planted (wine), the rows about it are left out.
    auto used = [&](Outcome outcome) { return linkPlanted || (outcome != throughLink && outcome != replacesLink); };
    std::vector<std::pair<std::string, std::string>> members;
    for (const auto& c : cases)
        if (used(c.outcome))
            members.emplace_back(c.name, "data of " + c.name);
    std::string archive = folder.File("hostile.viv");
    WriteBytes(archive, Archive(members));

    VivResult result = Viv({"extract", archive, "-C", out.string()});
    EXPECT_EQ(result.status, 1);

    std::string messages;
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        if (!used(c.outcome))
            continue;
        if (c.outcome == unsafe) {
            messages += "viv: Member skipped, its name is not a safe relative path: " + EscapeName(c.name) + "\n";
        } else if (c.outcome == throughLink) {
            messages += "viv: Member skipped, a folder on its way is a link: " + EscapeName(c.name) + "\n";
        } else {
            std::string path = c.name;
            std::replace(path.begin(), path.end(), '\\', '/');
            expected.push_back(path + "=data of " + c.name);
            for (std::size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1))
                expected.push_back(path.substr(0, slash) + "/");
        }
    }
    EXPECT_EQ(result.err, messages);
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    EXPECT_EQ(Tree(out), expected);
    EXPECT_EQ(Tree(outside), std::vector<std::string>{});
    auto itemsIn = [](const std::filesystem::path& path) {
        return std::distance(std::filesystem::directory_iterator(path), std::filesystem::directory_iterator());
    };
    EXPECT_EQ(itemsIn(folder.path), 3);  // dir, outside, hostile.viv
    EXPECT_EQ(itemsIn(folder.path / "dir"), 1);
    if (!linkPlanted)
        GTEST_SKIP() << "no symbolic link could be planted here: " << noLink.message();
}

// Every read of viv's inputs made to fail in turn: the tool exits 1 with its message and
// writes nothing, until the reads are all past and it does its work.

#include <gtest/gtest.h>

#include "FileSystem.h"
#include "VivRun.h"

namespace {
struct HookOff {
    ~HookOff() { InjectReadFailure(0); }
};

bool SaysAReadFailed(const std::string& err)
{
    return err.find("File couldn't be opened:") != std::string::npos ||
           err.find("File changed while it was read:") != std::string::npos;
}
}  // namespace

TEST(ReadFailure, VivReportsAFailedReadAndWritesNothing)
{
    TempFolder folder;
    std::string archive = folder.File("a.viv");
    const Bytes archiveBytes = Archive({{"one", std::string(300 * 1024, '1')}});
    std::string loose = folder.File("loose.bin");
    const Bytes looseBytes(200 * 1024, 'L');
    std::string out = folder.File("out");
    std::filesystem::create_directory(out);
    std::string created = folder.File("created.viv");

    const struct {
        std::vector<std::string> arguments;
        std::string output;  // what a clean run prints
    } commands[] = {
        {{"list", archive}, "307200\tone\n"},
        {{"check", archive}, ""},
        {{"extract", archive, "-C", out}, ""},
        {{"add", archive, loose}, ""},
        {{"create", created, loose, archive}, ""},
    };
    HookOff off;
    for (const auto& command : commands) {
        std::filesystem::remove(created);
        const std::string& name = command.arguments[0];
        for (int nth = 1;; ++nth) {
            ASSERT_LT(nth, 100) << name << ": never ran clean";
            WriteBytes(archive, archiveBytes);
            WriteBytes(loose, looseBytes);
            InjectReadFailure(nth);
            VivResult result = Viv(command.arguments);
            InjectReadFailure(0);
            if (result.status == 0) {
                EXPECT_EQ(result.out, command.output) << name;
                break;
            }
            // No file is left, whole or partial, of what the command was to write.
            EXPECT_EQ(result.status, 1) << name << ", read " << nth;
            EXPECT_TRUE(SaysAReadFailed(result.err)) << name << ", read " << nth << ": " << result.err;
            EXPECT_EQ(ReadBytes(archive), archiveBytes) << name << ", read " << nth;
            EXPECT_TRUE(Tree(out).empty()) << name << ", read " << nth;
            EXPECT_EQ(folder.Names(), (std::vector<std::string>{"a.viv", "loose.bin", "out"})) << name << ", read " << nth;
        }
        // The clean run did its work.
        if (name == "extract") {
            EXPECT_TRUE(Tree(out) == std::vector<std::string>{"one=" + std::string(300 * 1024, '1')});
            std::filesystem::remove_all(out);
            std::filesystem::create_directory(out);
        }
        if (name == "add") {
            EXPECT_EQ(Loaded(archive).size(), 2u);
        }
        if (name == "create") {
            EXPECT_EQ(Loaded(created).size(), 2u);
        }
    }
}

#include <gtest/gtest.h>

#include "DirectoryReader.h"
#include "Fixtures.h"

namespace {
VivDirectory Read(const TempFolder& folder, const Bytes& file)
{
    std::string path = folder.File("dir.viv");
    WriteBytes(path, file);
    InputFile input;
    EXPECT_TRUE(OpenInputFile(path, input));
    return ReadDirectory(input);
}

std::vector<std::string> Descriptions(const VivDirectory& directory)
{
    std::vector<std::string> lines;
    for (const DirectoryProblem& problem : directory.problems)
        lines.push_back(DescribeProblem(directory, problem));
    return lines;
}
}  // namespace

TEST(DirectoryReader, ReadsHeaderAndRecordsWithoutData)
{
    TempFolder folder;
    VivDirectory directory = Read(folder, Concat({Header(42, 2, 36), Record(36, 4, "a"), Record(40, 2, "b"), BytesOf("AAAABB")}));
    EXPECT_TRUE(directory.problems.empty());
    EXPECT_EQ(directory.archiveSize, 42u);
    EXPECT_EQ(directory.entryCount, 2u);
    EXPECT_EQ(directory.dataStart, 36u);
    ASSERT_EQ(directory.records.size(), 2u);
    EXPECT_EQ(directory.records[1].name, "b");
    EXPECT_EQ(directory.records[1].offset, 40u);
    EXPECT_EQ(directory.records[1].size, 2u);
}

// `viv check` reports every problem, so the reader goes on past the first one it can.
TEST(DirectoryReader, CollectsEveryProblem)
{
    TempFolder folder;
    VivDirectory directory =
        Read(folder, Concat({Header(0, 4, 0), Record(0, 99, "a"), Record(5, 1, "b"), Record(0xFFFFFFF0u, 0x20, "c")}));
    EXPECT_EQ(Descriptions(directory), (std::vector<std::string>{
                                           "the header claims 4 entries, more than a file of this length can hold",
                                           "record 0: its data runs past the end of the file",
                                           "record 2: its data runs past the end of the file",
                                           "record 3: the directory runs past the end of the file",
                                       }));
}

#include <gtest/gtest.h>

#include <cstdio>

#include "Fixtures.h"
#include "Progress.h"

// The moments are given, not waited for: quiet for the first second, then redrawn in place
// at most five times a second, erased before a message and at the end.
TEST(Progress, ShowsALineOnlyForLongWork)
{
    TempFolder folder;
    std::string path = folder.File("err.txt");
    Console console;
    console.err = std::fopen(path.c_str(), "wb");
    ASSERT_NE(console.err, nullptr);
    {
        Progress progress(console, "extracting", 1000);
        using std::chrono::milliseconds;
        AdvanceAt(progress, 100, progress.start + milliseconds(900));
        AdvanceAt(progress, 320, progress.start + milliseconds(1000));
        AdvanceAt(progress, 100, progress.start + milliseconds(1100));
        AdvanceAt(progress, 100, progress.start + milliseconds(1200));
        Report(console, "a message");
        AdvanceAt(progress, 80, progress.start + milliseconds(1300));
        AdvanceAt(progress, 300, progress.start + milliseconds(5000));
    }
    std::fclose(console.err);
    Bytes written = ReadBytes(path);
    const std::string blank19 = "\r" + std::string(19, ' ') + "\r";
    EXPECT_EQ(std::string(written.begin(), written.end()), "\rviv: extracting 42%\rviv: extracting 62%" + blank19 +
                                                               "viv: a message\n\rviv: extracting 100%\r" +
                                                               std::string(20, ' ') + "\r");
}

TEST(Progress, CountsEmptyWorkAsDone)
{
    Console console;
    Progress progress(console, "writing", 0);
    EXPECT_EQ(ProgressLine(progress), "viv: writing 100%");
}

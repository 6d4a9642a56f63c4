// Measures viv against tar on the same files in the same run, and prints the ratios:
//   extract and create of 10,000 files of 1 GiB in all (viv extract / create vs tar -xf / -cf),
//   list of a 2 GiB archive vs a 2 MiB archive of the same 10,000 members,
//   peak memory of viv extract and create,
//   extract of deep names: 400 members along 8 chains of 250 nested folders (2,000 folders in
//   all), vs tar -xf of the same tree.
// Usage: viv_bench [WORK_FOLDER [ROUNDS [deep]]]; with "deep" only the last. The work folder
// (default ./viv-bench.tmp) needs about 5 GiB and is removed at the end.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Document.h"
#include "FileSystem.h"
#include "SafeFile.h"
#include "VivArchive.h"

namespace {
constexpr std::uint32_t memberCount = 10000;
constexpr std::uint64_t dataSetSize = 1024ull * 1024 * 1024;

struct Measure {
    double seconds = 0;
    double peakMiB = 0;
};

// Runs argv with its output thrown away; the time from start to end and the child's peak
// resident memory.
Measure Run(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    // Each run starts with no other run's data still on its way to disk.
    ::sync();
    auto start = std::chrono::steady_clock::now();
    pid_t child = ::fork();
    if (child == 0) {
        int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "failed: %s\n", argv[0].c_str());
        std::exit(1);
    }
    return Measure{std::chrono::duration<double>(end - start).count(), static_cast<double>(usage.ru_maxrss) / 1024};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string MemberName(std::uint32_t i)
{
    char name[32];
    std::snprintf(name, sizeof name, "member-%05u.bin", i);
    return name;
}

// 10,000 files of 1 GiB in all, of bytes no file system can shrink.
void MakeSourceFiles(const std::string& folder)
{
    std::filesystem::create_directories(folder);
    std::vector<std::uint64_t> buffer(dataSetSize / memberCount / 8 + 1);
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    for (std::uint32_t i = 0; i < memberCount; ++i) {
        std::size_t size = dataSetSize / memberCount + (i < dataSetSize % memberCount ? 1 : 0);
        for (std::uint64_t& word : buffer) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            word = state;
        }
        int fd = ::open((folder + "/" + MemberName(i)).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, buffer.data(), size) != static_cast<ssize_t>(size)) {
            std::perror("source file");
            std::exit(1);
        }
        ::close(fd);
    }
}

// An archive of 10,000 members of the given total size: header and directory written by the
// core, the data left as a hole (list never reads it).
void MakeSparseArchive(const std::string& path, std::uint64_t totalData)
{
    std::vector<std::string> names;
    std::vector<MemberLayout> members;
    for (std::uint32_t i = 0; i < memberCount; ++i)
        names.push_back(MemberName(i));
    for (std::uint32_t i = 0; i < memberCount; ++i)
        members.push_back(MemberLayout{names[i], static_cast<std::uint32_t>(totalData / memberCount)});
    ArchiveLayout layout = PlanLayout(members);
    SafeFileWriter writer(path);
    WriteHeaderAndDirectory(writer, members, layout);
    Commit(writer);
    if (::truncate(path.c_str(), layout.archiveSize) != 0) {
        std::perror("truncate");
        std::exit(1);
    }
}

constexpr std::uint32_t deepChains = 8;
constexpr std::uint32_t deepLevels = 250;
constexpr std::uint32_t deepMembersPerChain = 50;
constexpr std::size_t deepMemberSize = 1024;

// The folders of a chain down to depth, "c0-level-001/c0-level-002/...", 13 bytes a level.
std::string DeepFolder(std::uint32_t chain, std::uint32_t depth)
{
    std::string path;
    for (std::uint32_t level = 1; level <= depth; ++level) {
        char part[32];
        std::snprintf(part, sizeof part, "c%u-level-%03u/", chain, level);
        path += part;
    }
    return path;
}

// The deep-names archive, written by the core, and the same tree on disk for tar; members in
// chain order, each in a folder of its own, every fifth level down its chain (names of up to
// 3,264 bytes).
void MakeDeepNames(const std::string& archive, const std::string& tree)
{
    EntryTable table;
    for (std::uint32_t chain = 0; chain < deepChains; ++chain) {
        for (std::uint32_t i = 0; i < deepMembersPerChain; ++i) {
            char file[32];
            std::snprintf(file, sizeof file, "member-%03u.bin", i);
            ArchiveEntry entry;
            entry.name = DeepFolder(chain, deepLevels / deepMembersPerChain * (i + 1)) + file;
            entry.data.assign(deepMemberSize, static_cast<std::uint8_t>('a' + i % 26));
            std::filesystem::create_directories(tree + "/" + FolderPart(entry.name));
            int fd = ::open((tree + "/" + entry.name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || ::write(fd, entry.data.data(), entry.data.size()) != static_cast<ssize_t>(entry.data.size())) {
                std::perror("deep file");
                std::exit(1);
            }
            ::close(fd);
            table.push_back(std::move(entry));
        }
    }
    SaveArchive(archive, table);
}

// viv extract against tar -xf of the deep tree, each into a fresh folder.
void MeasureDeepNames(const std::string& work, const std::string& viv, int rounds, std::vector<double>& vivTimes,
                      std::vector<double>& tarTimes)
{
    MakeDeepNames(work + "/deep.viv", work + "/deep-src");
    Run({"tar", "-cf", work + "/deep.tar", "-C", work + "/deep-src", "."});
    std::filesystem::remove_all(work + "/deep-src");
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            if ((round + turn) % 2 == 0) {
                std::filesystem::create_directories(work + "/deep-viv");
                vivTimes.push_back(Run({viv, "extract", work + "/deep.viv", "-C", work + "/deep-viv"}).seconds);
            } else {
                std::filesystem::create_directories(work + "/deep-tar");
                tarTimes.push_back(Run({"tar", "-xf", work + "/deep.tar", "-C", work + "/deep-tar"}).seconds);
            }
        }
        Run({"rm", "-rf", work + "/deep-viv", work + "/deep-tar"});
    }
}

void Line(const char* what, double viv, double other, const char* otherName, const char* unit, double scale)
{
    std::printf("%-28s viv %9.3f %s   %-12s %9.3f %s   ratio %.2f\n", what, viv * scale, unit, otherName,
                other * scale, unit, viv / other);
}
}  // namespace

int main(int argc, char** argv)
{
    std::string work = std::filesystem::absolute(argc > 1 ? argv[1] : "viv-bench.tmp").string();
    int rounds = std::max(1, argc > 2 ? std::atoi(argv[2]) : 5);
    bool deepOnly = argc > 3 && std::string(argv[3]) == "deep";
    const std::string viv = VIV_PROGRAM;
    std::filesystem::remove_all(work);
    std::filesystem::create_directories(work);
    std::vector<double> vivDeep, tarDeep;
    MeasureDeepNames(work, viv, rounds, vivDeep, tarDeep);
    if (deepOnly) {
        std::filesystem::remove_all(work);
        std::printf("\nmedians of %d rounds\n", rounds);
        Line("extract 400 deep names", Median(vivDeep), Median(tarDeep), "tar -xf", "s ", 1);
        return 0;
    }
    std::printf("preparing %u files of 1 GiB in all in %s\n", memberCount, work.c_str());
    MakeSourceFiles(work + "/src");

    std::vector<double> vivCreate, tarCreate, vivExtract, tarExtract;
    double createPeak = 0, extractPeak = 0, tarCreatePeak = 0, tarExtractPeak = 0;
    for (int round = 0; round < rounds; ++round) {
        // Alternating who goes first, so neither always meets the warmer cache.
        for (int turn = 0; turn < 2; ++turn) {
            if ((round + turn) % 2 == 0) {
                Measure m = Run({viv, "create", work + "/a.viv", work + "/src"});
                vivCreate.push_back(m.seconds);
                createPeak = std::max(createPeak, m.peakMiB);
            } else {
                Measure m = Run({"tar", "-cf", work + "/a.tar", "-C", work, "src"});
                tarCreate.push_back(m.seconds);
                tarCreatePeak = std::max(tarCreatePeak, m.peakMiB);
            }
        }
        for (int turn = 0; turn < 2; ++turn) {
            if ((round + turn) % 2 == 0) {
                std::filesystem::create_directories(work + "/out-viv");
                Measure m = Run({viv, "extract", work + "/a.viv", "-C", work + "/out-viv"});
                vivExtract.push_back(m.seconds);
                extractPeak = std::max(extractPeak, m.peakMiB);
            } else {
                std::filesystem::create_directories(work + "/out-tar");
                Measure m = Run({"tar", "-xf", work + "/a.tar", "-C", work + "/out-tar"});
                tarExtract.push_back(m.seconds);
                tarExtractPeak = std::max(tarExtractPeak, m.peakMiB);
            }
        }
        std::filesystem::remove_all(work + "/out-viv");
        std::filesystem::remove_all(work + "/out-tar");
    }
    std::filesystem::remove_all(work + "/src");
    std::filesystem::remove(work + "/a.tar");
    std::filesystem::remove(work + "/a.viv");

    MakeSparseArchive(work + "/big.viv", 2ull * 1024 * 1024 * 1024);
    MakeSparseArchive(work + "/small.viv", 2ull * 1024 * 1024);
    std::vector<double> listBig, listSmall;
    for (int i = 0; i < 15 * rounds; ++i) {
        listBig.push_back(Run({viv, "list", work + "/big.viv"}).seconds);
        listSmall.push_back(Run({viv, "list", work + "/small.viv"}).seconds);
    }
    std::filesystem::remove_all(work);

    std::printf("\nmedians of %d rounds\n", rounds);
    Line("extract 10,000 files, 1 GiB", Median(vivExtract), Median(tarExtract), "tar -xf", "s ", 1);
    Line("create 10,000 files, 1 GiB", Median(vivCreate), Median(tarCreate), "tar -cf", "s ", 1);
    Line("list 2 GiB vs 2 MiB archive", Median(listBig), Median(listSmall), "list 2 MiB", "ms", 1000);
    std::printf("%-28s viv %9.1f MiB   %-12s %9.1f MiB\n", "peak memory, extract", extractPeak, "tar -xf", tarExtractPeak);
    std::printf("%-28s viv %9.1f MiB   %-12s %9.1f MiB\n", "peak memory, create", createPeak, "tar -cf", tarCreatePeak);
    Line("extract 400 deep names", Median(vivDeep), Median(tarDeep), "tar -xf", "s ", 1);
    return 0;
}

// Measures the archive core against the physical limits of this machine, in one run, best of
// three rounds taken in turn with the reference, and prints the ratios:
//   LoadArchive against reading the same file whole into one freshly allocated buffer (fresh
//   pages must be faulted in; that is the least a load into memory costs),
//   SaveArchive against cp of the same archive,
//   the peak resident memory of the process around a load against the archive's size,
// for (a) 1 GiB in 4096 members and (b) 100,000 members of 100 bytes.
// Usage: core_bench [FOLDER]. The folder (default /dev/shm, so that the disk plays no part)
// needs about 4 GiB of room; the archives are removed at the end.

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "Names.h"
#include "VivArchive.h"

namespace {
constexpr int rounds = 3;
constexpr double mebibyte = 1024.0 * 1024.0;

double Seconds(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best of a few rounds of each of two measures, taken in turn, so that a change in the
// load of the machine falls on both alike.
std::pair<double, double> BestOfEach(const std::function<double()>& first, const std::function<double()>& second)
{
    double bestFirst = first();
    double bestSecond = second();
    for (int i = 1; i < rounds; ++i) {
        bestFirst = std::min(bestFirst, first());
        bestSecond = std::min(bestSecond, second());
    }
    return {bestFirst, bestSecond};
}

// Freed memory goes back to the system, so that every round starts from fresh pages.
void ReturnFreedMemory()
{
    ::malloc_trim(0);
}

// The limit: the file read whole into one buffer that is new to the process.
std::unique_ptr<std::uint8_t[]> ReadIntoFreshBuffer(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY);
    struct stat info {};
    ::fstat(fd, &info);
    auto size = static_cast<std::size_t>(info.st_size);
    std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[size]);  // not zeroed
    for (std::size_t done = 0; done < size;) {
        ssize_t got = ::read(fd, buffer.get() + done, size - done);
        if (got <= 0) {
            std::fprintf(stderr, "cannot read %s\n", path.c_str());
            std::exit(1);
        }
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return buffer;
}

long StatusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    return 0;
}

// The highest resident memory of the process during work, counted from now.
double PeakMiB(const std::function<void()>& work)
{
    ReturnFreedMemory();
    std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak to what is resident now
    work();
    return static_cast<double>(StatusKiB("VmHWM:")) * 1024.0 / mebibyte;
}

std::uint64_t FileSize(const std::string& path)
{
    return std::filesystem::file_size(path);
}

void Measure(const char* title, const std::string& folder, EntryTable table)
{
    std::string archive = folder + "/tamsel-core-bench.viv";
    std::string saved = folder + "/tamsel-core-bench-saved.viv";
    std::string copied = folder + "/tamsel-core-bench-copied.viv";
    SaveArchive(archive, table);
    double size = static_cast<double>(FileSize(archive)) / mebibyte;
    std::printf("%s: %.1f MiB, %u members\n", title, size, EntryCount(table));

    auto [save, copy] = BestOfEach(
        [&] {
            std::filesystem::remove(saved);
            return Seconds([&] { SaveArchive(saved, table); });
        },
        [&] {
            std::filesystem::remove(copied);
            return Seconds([&] {
                if (std::system(("cp '" + archive + "' '" + copied + "'").c_str()) != 0)
                    std::exit(1);
            });
        });
    std::filesystem::remove(saved);
    std::filesystem::remove(copied);
    EntryTable().swap(table);  // from here on only what a load makes is in memory

    auto [load, limit] = BestOfEach(
        [&] {
            ReturnFreedMemory();
            EntryTable loaded;
            return Seconds([&] { LoadArchive(archive, loaded); });  // freed after the clock stopped
        },
        [&] {
            ReturnFreedMemory();
            std::unique_ptr<std::uint8_t[]> buffer;
            return Seconds([&] { buffer = ReadIntoFreshBuffer(archive); });  // freed after the clock stopped
        });
    double peak = PeakMiB([&] {
        EntryTable loaded;
        LoadArchive(archive, loaded);
    });
    std::filesystem::remove(archive);

    std::printf("  load  %8.3f s   fresh buffer %8.3f s   ratio %.2f\n", load, limit, load / limit);
    std::printf("  save  %8.3f s   cp           %8.3f s   ratio %.2f\n", save, copy, save / copy);
    std::printf("  peak resident memory around a load %.1f MiB = archive + %.1f MiB\n", peak, peak - size);
}

EntryTable Members(std::uint32_t count, std::size_t size)
{
    EntryTable table;
    table.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        ArchiveEntry entry;
        entry.name = "member" + FormatDecimal(i) + ".dat";
        entry.data.resize(size);
        std::fill(entry.data.begin(), entry.data.end(), static_cast<std::uint8_t>('a' + i % 26));
        table.push_back(std::move(entry));
    }
    return table;
}
}  // namespace

int main(int argc, char** argv)
{
    std::string folder = argc > 1 ? argv[1] : "/dev/shm";
    std::printf("best of %d rounds, archives in %s\n", rounds, folder.c_str());
    Measure("(a) 1 GiB in 4096 members", folder, Members(4096, 256 * 1024));
    ReturnFreedMemory();
    Measure("(b) 100,000 members of 100 bytes", folder, Members(100000, 100));
    return 0;
}

// Feeds arbitrary bytes to the archive loader, from memory: it must refuse or load, never
// crash, hang or read outside what it owns. A refused input leaves an empty table; an accepted
// one saves to an archive that loads again to the same table and saves again to the same
// bytes; and viv check, whose verdict is the directory reader's list of problems, passes
// exactly the inputs the loader accepts. Built with clang's libFuzzer and the sanitizers.
#include <cstdint>
#include <span>
#include <vector>

#include "CommandError.h"
#include "DirectoryReader.h"
#include "VivArchive.h"

namespace {
// The loader's verdict: true when it accepted the bytes.
bool Load(std::span<const std::uint8_t> bytes, EntryTable& table)
{
    InputFile input;
    OpenInputMemory(bytes, input);
    try {
        LoadArchive(input, "fuzz.viv", table);
    } catch (const CommandError&) {
        return false;
    }
    return true;
}

bool CheckPasses(std::span<const std::uint8_t> bytes)
{
    InputFile input;
    OpenInputMemory(bytes, input);
    return ReadDirectory(input).problems.empty();
}

std::vector<std::uint8_t> Saved(const EntryTable& table)
{
    ArchivePlan plan = PlanArchive(table);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(plan.layout.archiveSize);
    PutArchive(table, plan, [&](const void* piece, std::size_t count) {
        const auto* first = static_cast<const std::uint8_t*>(piece);
        bytes.insert(bytes.end(), first, first + count);
    });
    return bytes;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::span<const std::uint8_t> input(data, size);
    EntryTable table;
    bool accepted = Load(input, table);
    if (!accepted && !table.empty())
        __builtin_trap();  // a refused file leaves nothing behind
    if (accepted != CheckPasses(input))
        __builtin_trap();
    if (!accepted)
        return 0;

    std::vector<std::uint8_t> saved = Saved(table);
    EntryTable reloaded;
    if (!Load(saved, reloaded) || table != reloaded)
        __builtin_trap();
    if (Saved(reloaded) != saved)
        __builtin_trap();
    return 0;
}

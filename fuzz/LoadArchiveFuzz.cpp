// Feeds arbitrary bytes to the archive loader as a file: it must refuse or load, never crash,
// hang or read outside what it owns. Built with clang's libFuzzer and AddressSanitizer.
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "CommandError.h"
#include "VivArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/dev/shm/tamsel-fuzz-" + std::to_string(getpid()) + ".viv";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    EntryTable table;
    try {
        LoadArchive(path, table);
    } catch (const CommandError&) {
        if (!table.empty())
            __builtin_trap();  // a refused file must leave nothing behind
    }
    return 0;
}

#include <new>

#include "CommandError.h"
#include "DirectoryReader.h"
#include "VivArchive.h"

VivDirectory OpenArchiveDirectory(const std::string& path, InputFile& input)
{
    if (!OpenInputFile(path, input))
        throw ErrorWithPath(errorTexts::fileCouldntBeOpened, path);
    return ReadArchiveDirectory(input, path);
}

VivDirectory ReadArchiveDirectory(InputFile& input, const std::string& path)
{
    VivDirectory directory = ReadDirectory(input);
    // A failed read makes a sound directory look damaged: it is reported as what it is.
    if (input.readFailed)
        throw ErrorWithPath(errorTexts::fileCouldntBeOpened, path);
    if (!directory.problems.empty())
        throw ErrorWithPath(errorTexts::notValidVivFile, path);
    return directory;
}

void LoadArchive(const std::string& path, EntryTable& table)
{
    InputFile input;
    if (!OpenInputFile(path, input))
        throw ErrorWithPath(errorTexts::fileCouldntBeOpened, path);
    LoadArchive(input, path, table);
}

void LoadArchive(InputFile& input, const std::string& path, EntryTable& table)
{
    EntryTable loaded;
    try {
        VivDirectory directory = ReadArchiveDirectory(input, path);

        // Sizes are bounded by the file (checked above), so no allocation here exceeds it.
        loaded.reserve(directory.records.size());
        for (DirectoryRecord& record : directory.records) {
            ArchiveEntry& entry = loaded.emplace_back();
            entry.name = std::move(record.name);
            entry.data.resize(record.size);
            if (!ReadAt(input, record.offset, entry.data.data(), record.size))
                throw ErrorWithPath(errorTexts::fileCouldntBeOpened, path);
        }
    } catch (const std::bad_alloc&) {
        throw ErrorText(errorTexts::memoryCouldntBeAllocated);
    }
    table = std::move(loaded);
}

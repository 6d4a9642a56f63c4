#include <new>

#include "CommandError.h"
#include "DirectoryReader.h"
#include "VivArchive.h"

VivDirectory OpenArchiveDirectory(const std::string& path, InputFile& input)
{
    if (!OpenInputFile(path, input))
        throw ErrorWithPath(errorTexts::fileCouldntBeOpened, path);
    VivDirectory directory = ReadDirectory(input);
    if (!directory.problems.empty())
        throw ErrorWithPath(errorTexts::notValidVivFile, path);
    return directory;
}

void LoadArchive(const std::string& path, EntryTable& table)
{
    InputFile input;
    EntryTable loaded;
    try {
        VivDirectory directory = OpenArchiveDirectory(path, input);

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

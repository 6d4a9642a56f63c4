// extract: each member streamed from the archive to a file of its own inside the folder,
// when its name is a safe relative path. Every folder on the way is opened from the one
// before it, never through a link, and the file is made and renamed inside the last one, so
// that nothing another process does to the paths meanwhile can lead a member outside.

#include <set>
#include <string_view>
#include <unordered_set>

#include "ArchiveInput.h"
#include "CommandError.h"
#include "Commands.h"
#include "NameEscape.h"
#include "Platform.h"
#include "SafeNames.h"
#include "ToolTexts.h"

namespace {
// Longer names are refused before anything is made for them: Linux's longest path, and a
// depth no real archive needs (1 MiB of "a/" would otherwise make half a million folders).
constexpr std::size_t maxNameLength = 4095;
constexpr std::size_t maxNameParts = 255;
constexpr std::size_t shownNameLength = 100;

struct Extraction {
    ArchiveInput archive;
    std::string folderPath;
    NativeFolder root;
    // The open folders of the last member's path, below root, and their names: a member in
    // the same folder as the one before, the common case, opens none of them again.
    std::vector<NativeFolder> chain;
    std::vector<std::string> chainNames;
    // Folders already rid of debris this run, by their path below root.
    std::unordered_set<std::string> cleaned;
    // The files this run has written: a later member that leads to one of them, by the same
    // name or by another that the file system takes for it, is skipped.
    std::set<FileIdentity> written;
    std::vector<std::string_view> components;
};

// The path of the first count components of the member, under the folder, for messages. In
// one pass: joining part by part would cost the square of a deep name's length.
std::string ShownPath(const Extraction& extraction, std::size_t count)
{
    if (count == 0)
        return extraction.folderPath;
    std::string path = JoinPath(extraction.folderPath, extraction.components[0]);
    for (std::size_t i = 1; i < count; ++i) {
        path += pathSeparator;
        path.append(extraction.components[i]);
    }
    return path;
}

std::string ShortenedName(std::string_view name)
{
    return name.size() > shownNameLength ? EscapeName(name.substr(0, shownNameLength)) + "..." : EscapeName(name);
}

// A folder that was there before this run may hold the temporary files of a killed one.
void RemoveDebrisOnce(Extraction& extraction, const NativeFolder& folder, std::size_t depth)
{
    std::string key;
    for (std::size_t i = 0; i < depth; ++i) {
        key.append(extraction.components[i]);
        key += '/';
    }
    if (extraction.cleaned.insert(key).second)
        RemoveDebrisIn(folder);
}

// The open folder that the member's file goes into, its folders opened or made on the way;
// null when the member is skipped (reported).
const NativeFolder* OpenFoldersOnTheWay(Extraction& extraction, const DirectoryRecord& record, Console& console)
{
    const std::size_t depth = extraction.components.size() - 1;
    std::size_t kept = 0;
    while (kept < depth && kept < extraction.chain.size() && extraction.chainNames[kept] == extraction.components[kept])
        ++kept;
    extraction.chain.resize(kept);
    extraction.chainNames.resize(kept);
    for (std::size_t i = kept; i < depth; ++i) {
        NativeFolder child;
        switch (OpenSubfolder(i == 0 ? extraction.root : extraction.chain.back(), extraction.components[i], child)) {
        case FolderOpening::opened:
            RemoveDebrisOnce(extraction, child, i + 1);
            break;
        case FolderOpening::created:
            break;
        case FolderOpening::link:
            Report(console, TextWithPath(toolTexts::linkOnTheWay, EscapeName(record.name)));
            return nullptr;
        case FolderOpening::notFolder:
        case FolderOpening::failed:
            Report(console, TextWithPath(toolTexts::folderCouldntBeCreated, ShownPath(extraction, i + 1)));
            return nullptr;
        }
        extraction.chain.push_back(std::move(child));
        extraction.chainNames.emplace_back(extraction.components[i]);
    }
    return depth == 0 ? &extraction.root : &extraction.chain.back();
}

bool ExtractMember(Extraction& extraction, const DirectoryRecord& record, Progress& progress, Console& console)
{
    // The length first: nothing of a long name is even split.
    if (record.name.size() > maxNameLength) {
        Report(console, TextWithPath(toolTexts::nameTooLong, ShortenedName(record.name)));
        return false;
    }
    if (!SplitSafeName(record.name, extraction.components)) {
        Report(console, TextWithPath(toolTexts::unsafeName, EscapeName(record.name)));
        return false;
    }
    if (extraction.components.size() > maxNameParts) {
        Report(console, TextWithPath(toolTexts::nameTooLong, ShortenedName(record.name)));
        return false;
    }
    const NativeFolder* folder = OpenFoldersOnTheWay(extraction, record, console);
    if (!folder)
        return false;
    const std::string name(extraction.components.back());
    // What cannot be identified might be a file this run has written: skipped, not replaced.
    FileIdentity identity;
    IdentityLookup lookup = IdentityIn(*folder, name, identity);
    if (lookup == IdentityLookup::unknown) {
        Report(console, TextWithPath(toolTexts::notIdentified, EscapeName(record.name)));
        return false;
    }
    if (lookup == IdentityLookup::found && extraction.written.contains(identity)) {
        Report(console, TextWithPath(toolTexts::writtenAlready, EscapeName(record.name)));
        return false;
    }
    try {
        // The writer replaces whatever is at the name, a link included, and never writes through it.
        // A flush per file would make extracting many small files ten times slower than tar.
        SafeFileWriter writer(*folder, name, ShownPath(extraction, extraction.components.size()));
        writer.flushToDisk = false;
        CopyFromArchive(extraction.archive, record.offset, record.size, writer, progress);
        if (!IdentityOfOpenFile(writer.file, identity)) {
            Report(console, TextWithPath(toolTexts::notIdentified, EscapeName(record.name)));
            return false;
        }
        Commit(writer);
    } catch (const CommandError& error) {
        Report(console, error.text.value_or(""));
        return false;
    }
    extraction.written.insert(identity);
    return true;
}
}  // namespace

int ExtractMembers(const Invocation& invocation, Console& console)
{
    Extraction extraction;
    OpenArchive(invocation.operands[0], extraction.archive);
    extraction.folderPath = invocation.folder;
    if (!OpenFolder(extraction.folderPath, extraction.root))
        throw ErrorWithPath(toolTexts::folderCouldntBeOpened, extraction.folderPath);
    RemoveDebrisIn(extraction.root);
    extraction.cleaned.insert("");

    // Hashed for archives of many members; equal as NamesEqual has it, byte for byte.
    std::unordered_set<std::string_view> wanted(invocation.operands.begin() + 1, invocation.operands.end());
    std::unordered_set<std::string_view> found;
    auto selected = [&](const DirectoryRecord& record) { return wanted.empty() || wanted.contains(record.name); };

    std::uint64_t total = 0;
    for (const DirectoryRecord& record : extraction.archive.directory.records)
        total += selected(record) ? record.size : 0;

    int status = exitSuccess;
    Progress progress(console, "extracting", total);
    for (const DirectoryRecord& record : extraction.archive.directory.records) {
        if (!selected(record))
            continue;
        found.insert(record.name);
        if (!ExtractMember(extraction, record, progress, console))
            status = exitFailure;
    }
    for (std::size_t i = 1; i < invocation.operands.size(); ++i) {
        // Inserted once reported, so a name given twice is reported once.
        if (found.insert(invocation.operands[i]).second) {
            Report(console, TextWithPath(toolTexts::noSuchMember, EscapeName(invocation.operands[i])));
            status = exitFailure;
        }
    }
    return status;
}

// extract: each member streamed from the archive to a file of its own inside the folder,
// when its name is a safe relative path that leads through no link.

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
struct Extraction {
    ArchiveInput archive;
    std::string folder;
    // The files this run has written: a later member that leads to one of them, by the same
    // name or by another that the file system takes for it, is skipped.
    std::set<FileIdentity> written;
    std::vector<std::string_view> components;
};

// Creates the folders on the way to the member's file inside the extraction folder and
// returns the file's path, or "" when the member is skipped (reported). Safe components
// joined under the folder cannot leave it, and no link on the way can lead elsewhere.
std::string PrepareTarget(Extraction& extraction, const DirectoryRecord& record, Console& console)
{
    if (!SplitSafeName(record.name, extraction.components)) {
        Report(console, TextWithPath(toolTexts::unsafeName, EscapeName(record.name)));
        return {};
    }
    std::string path = extraction.folder;
    for (std::size_t i = 0; i + 1 < extraction.components.size(); ++i) {
        path = JoinPath(path, extraction.components[i]);
        EntryKind kind = KindOfEntry(path);
        if (kind == EntryKind::missing)
            kind = CreateFolder(path) ? EntryKind::folder : KindOfEntry(path);  // it may have appeared meanwhile
        if (kind == EntryKind::link) {
            Report(console, TextWithPath(toolTexts::linkOnTheWay, EscapeName(record.name)));
            return {};
        }
        if (kind != EntryKind::folder) {
            Report(console, TextWithPath(toolTexts::folderCouldntBeCreated, path));
            return {};
        }
    }
    return JoinPath(path, extraction.components.back());
}

bool ExtractMember(Extraction& extraction, const DirectoryRecord& record, Progress& progress, Console& console)
{
    std::string path = PrepareTarget(extraction, record, console);
    if (path.empty())
        return false;
    FileIdentity identity;
    if (IdentityOf(path, identity) && extraction.written.contains(identity)) {
        Report(console, TextWithPath(toolTexts::writtenAlready, EscapeName(record.name)));
        return false;
    }
    try {
        // The writer replaces whatever is at path, a link included, and never writes through it.
        // A flush per file would make extracting many small files ten times slower than tar.
        SafeFileWriter writer(path);
        writer.flushToDisk = false;
        CopyFromArchive(extraction.archive, record.offset, record.size, writer, progress);
        Commit(writer);
    } catch (const CommandError& error) {
        Report(console, error.text.value_or(""));
        return false;
    }
    if (IdentityOf(path, identity))
        extraction.written.insert(identity);
    return true;
}
}  // namespace

int ExtractMembers(const Invocation& invocation, Console& console)
{
    Extraction extraction;
    OpenArchive(invocation.operands[0], extraction.archive);
    extraction.folder = invocation.folder;
    if (!IsFolder(extraction.folder))
        throw ErrorWithPath(toolTexts::folderCouldntBeOpened, extraction.folder);

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

#include "ArchiveOutput.h"

#include "CommandError.h"
#include "FileSystem.h"
#include "VivArchive.h"

std::vector<PlannedMember> MembersOf(const ArchiveInput& archive)
{
    std::vector<PlannedMember> members;
    members.reserve(archive.directory.records.size());
    for (const DirectoryRecord& record : archive.directory.records)
        members.push_back(PlannedMember{record.name, record.size, record.offset, {}});
    return members;
}

PlannedMember PlanFile(const std::string& path)
{
    NativeFile file;
    std::uint64_t length = 0;
    if (!OpenForReading(path, file) || !GetFileLength(file, length))
        throw ErrorWithPath(errorTexts::fileCouldntBeOpened, path);
    if (length > vivMaxFileSize)
        throw ErrorWithPath(errorTexts::fileTooLarge, path);
    return PlannedMember{BaseNamePart(path), static_cast<std::uint32_t>(length), 0, path};
}

void WriteArchive(const std::string& target, const std::vector<PlannedMember>& members, ArchiveInput* source,
                  Console& console)
{
    std::vector<MemberLayout> layout;
    layout.reserve(members.size());
    std::uint64_t total = 0;
    for (const PlannedMember& member : members) {
        layout.push_back(MemberLayout{member.name, member.size});
        total += member.size;
    }
    ArchiveLayout plan = PlanLayout(layout);

    SafeFileWriter writer(target);
    WriteHeaderAndDirectory(writer, layout, plan);
    {
        Progress progress(console, "writing", total);
        for (const PlannedMember& member : members) {
            if (member.filePath.empty())
                CopyFromArchive(*source, member.archiveOffset, member.size, writer, progress);
            else
                CopyFromFile(member.filePath, member.size, writer, progress);
        }
    }
    if (source)
        source->input = InputFile();
    Commit(writer);
}

#include "ArchiveOutput.h"

#include "CommandError.h"
#include "FileSystem.h"
#include "MemberFile.h"
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
    InputFile file;
    OpenMemberFile(path, file);
    return PlannedMember{BaseNamePart(path), static_cast<std::uint32_t>(file.length), 0, path};
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

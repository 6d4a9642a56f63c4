// add, remove and rename: the archive's directory edited as the editor edits its table, then
// the whole archive written anew with the member data copied from the old file.

#include <algorithm>

#include "ArchiveOutput.h"
#include "CommandError.h"
#include "Commands.h"
#include "NameEscape.h"
#include "Names.h"
#include "ToolTexts.h"

namespace {
// The first member of that name, as the editor's searches find it.
std::vector<PlannedMember>::iterator FindMember(std::vector<PlannedMember>& members, std::string_view name)
{
    return std::find_if(members.begin(), members.end(),
                        [&](const PlannedMember& member) { return NamesEqual(member.name, name); });
}
}  // namespace

int AddFiles(const Invocation& invocation, Console& console)
{
    ArchiveInput archive;
    OpenArchive(invocation.operands[0], archive);
    std::vector<PlannedMember> members = MembersOf(archive);
    for (std::size_t i = 1; i < invocation.operands.size(); ++i) {
        PlannedMember file = PlanFile(invocation.operands[i]);
        auto existing = FindMember(members, file.name);
        if (existing != members.end())
            *existing = std::move(file);
        else
            members.push_back(std::move(file));
    }
    WriteArchive(archive.path, members, &archive, console);
    return exitSuccess;
}

int RemoveMembers(const Invocation& invocation, Console& console)
{
    ArchiveInput archive;
    OpenArchive(invocation.operands[0], archive);
    std::vector<PlannedMember> members = MembersOf(archive);
    std::vector<std::string_view> names(invocation.operands.begin() + 1, invocation.operands.end());
    int status = exitSuccess;
    for (std::string_view name : names) {
        if (FindMember(members, name) == members.end()) {
            Report(console, TextWithPath(toolTexts::noSuchMember, EscapeName(name)));
            status = exitFailure;
        }
    }
    if (status != exitSuccess)
        return status;
    std::erase_if(members, [&](const PlannedMember& member) {
        return std::any_of(names.begin(), names.end(), [&](std::string_view name) { return NamesEqual(member.name, name); });
    });
    WriteArchive(archive.path, members, &archive, console);
    return exitSuccess;
}

int RenameMember(const Invocation& invocation, Console& console)
{
    const std::string& oldName = invocation.operands[1];
    const std::string& newName = invocation.operands[2];
    ArchiveInput archive;
    OpenArchive(invocation.operands[0], archive);
    std::vector<PlannedMember> members = MembersOf(archive);
    auto renamed = FindMember(members, oldName);
    if (renamed == members.end()) {
        Report(console, TextWithPath(toolTexts::noSuchMember, EscapeName(oldName)));
        return exitFailure;
    }
    if (newName.empty()) {
        Report(console, toolTexts::newNameEmpty, archive.path);
        return exitFailure;
    }
    // Keeping a name unchanged is no duplicate: the member itself is passed over.
    for (auto other = members.begin(); other != members.end(); ++other) {
        if (other != renamed && NamesEqual(other->name, newName)) {
            Report(console, errorTexts::fileNameAlreadyExists, EscapeName(newName));
            return exitFailure;
        }
    }
    renamed->name = newName;
    WriteArchive(archive.path, members, &archive, console);
    return exitSuccess;
}

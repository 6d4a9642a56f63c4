// create: a new archive of loose files, streamed into it one after another.

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "ArchiveOutput.h"
#include "CommandError.h"
#include "Commands.h"
#include "Platform.h"
#include "ToolTexts.h"

namespace {
// The files a path stands for: itself, or the regular files directly inside a folder in byte
// order of their names.
void AddPath(const std::string& path, std::vector<PlannedMember>& members)
{
    if (!IsFolder(path)) {
        members.push_back(PlanFile(path));
        return;
    }
    std::vector<std::string> names;
    if (!ListRegularFiles(path, names))
        throw ErrorWithPath(toolTexts::folderCouldntBeOpened, path);
    std::sort(names.begin(), names.end());  // std::string compares bytes as unsigned char
    for (const std::string& name : names)
        members.push_back(PlanFile(JoinPath(path, name)));
}
}  // namespace

int CreateArchive(const Invocation& invocation, Console& console)
{
    std::vector<PlannedMember> members;
    for (std::size_t i = 1; i < invocation.operands.size(); ++i)
        AddPath(invocation.operands[i], members);
    // Hashed for folders of many files; equal as NamesEqual has it, byte for byte.
    std::unordered_set<std::string_view> names;
    for (const PlannedMember& member : members) {
        if (!names.insert(member.name).second) {
            Report(console, errorTexts::fileNameAlreadyExists, member.filePath);
            return exitFailure;
        }
    }
    WriteArchive(invocation.operands[0], members, nullptr, console);
    return exitSuccess;
}

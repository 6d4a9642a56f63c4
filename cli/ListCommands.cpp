// list and check: the header and the directory only, never member data.

#include "ArchiveInput.h"
#include "CommandError.h"
#include "Commands.h"
#include "NameEscape.h"
#include "Names.h"

int ListMembers(const Invocation& invocation, Console& console)
{
    ArchiveInput archive;
    OpenArchive(invocation.operands[0], archive);
    std::string line;
    for (const DirectoryRecord& record : archive.directory.records) {
        line = FormatDecimal(record.size);
        line += '\t';
        line += console.outTerminal ? EscapeForTerminal(EscapeName(record.name), console.outTerminal)
                                    : EscapeName(record.name);
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), console.out);
    }
    if (std::fflush(console.out) != 0 || std::ferror(console.out))
        throw ErrorWithPath(errorTexts::fileCouldntBeWritten, "standard output");
    return exitSuccess;
}

int CheckArchive(const Invocation& invocation, Console& console)
{
    const std::string& path = invocation.operands[0];
    InputFile input;
    if (!OpenInputFile(path, input))
        throw ErrorWithPath(errorTexts::fileCouldntBeOpened, path);
    VivDirectory directory = ReadDirectory(input);
    for (const DirectoryProblem& problem : directory.problems)
        Report(console, DescribeProblem(directory, problem), path);
    return directory.problems.empty() ? exitSuccess : exitFailure;
}

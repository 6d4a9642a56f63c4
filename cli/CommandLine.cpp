#include "CommandLine.h"

#include <new>
#include <string_view>

#include "CommandError.h"
#include "Commands.h"
#include "ToolTexts.h"

#ifndef TAMSEL_VERSION
#define TAMSEL_VERSION "unknown"
#endif

namespace {
struct CommandInfo {
    std::string_view name;
    std::string_view usage;
    std::size_t leastOperands;
    std::size_t mostOperands;
    bool takesFolder;
    int (*run)(const Invocation&, Console&);
};

constexpr std::size_t any = static_cast<std::size_t>(-1);

constexpr CommandInfo commands[] = {
    {"list", toolTexts::listUsage, 1, 1, false, ListMembers},
    {"check", toolTexts::checkUsage, 1, 1, false, CheckArchive},
    {"extract", toolTexts::extractUsage, 1, any, true, ExtractMembers},
    {"create", toolTexts::createUsage, 2, any, false, CreateArchive},
    {"add", toolTexts::addUsage, 2, any, false, AddFiles},
    {"remove", toolTexts::removeUsage, 2, any, false, RemoveMembers},
    {"rename", toolTexts::renameUsage, 3, 3, false, RenameMember},
};

// A mistake in the command line: reported with the usage it breaks.
struct UsageError {
    std::string text;
};

void Print(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

const CommandInfo* FindCommand(std::string_view name)
{
    for (const CommandInfo& command : commands)
        if (command.name == name)
            return &command;
    return nullptr;
}

// Options may stand anywhere among the operands; after "--" everything is an operand, so
// that a member named "-C" can be given. Returns false for --help.
bool Parse(const CommandInfo& command, const std::vector<std::string>& arguments, Invocation& invocation)
{
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            invocation.operands.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help") {
            return false;
        } else if (argument == "-C" && command.takesFolder) {
            if (++i == arguments.size())
                throw UsageError{TextWithPath(toolTexts::missingOptionValue, argument)};
            invocation.folder = arguments[i];
        } else {
            throw UsageError{TextWithPath(toolTexts::unknownOption, argument)};
        }
    }
    std::size_t count = invocation.operands.size();
    if (count < command.leastOperands || count > command.mostOperands)
        throw UsageError{std::string(toolTexts::wrongArguments)};
    return true;
}

int Run(const CommandInfo& command, const Invocation& invocation, Console& console)
{
    const std::string& archivePath = invocation.operands[0];
    try {
        return command.run(invocation, console);
    } catch (const CommandError& error) {
        if (error.text)
            Report(console, *error.text, archivePath);
    } catch (const std::bad_alloc&) {
        Report(console, errorTexts::memoryCouldntBeAllocated, archivePath);
    }
    return exitFailure;
}
}  // namespace

int RunViv(const std::vector<std::string>& arguments, Console& console)
{
    const CommandInfo* command = nullptr;
    try {
        if (arguments.empty())
            throw UsageError{std::string(toolTexts::noCommand)};
        if (arguments[0] == "--help") {
            Print(console.out, toolTexts::usage);
            return exitSuccess;
        }
        if (arguments[0] == "--version") {
            Print(console.out, "viv (Tamsel) " TAMSEL_VERSION "\n");
            return exitSuccess;
        }
        command = FindCommand(arguments[0]);
        if (!command)
            throw UsageError{TextWithPath(toolTexts::unknownCommand, arguments[0])};
        Invocation invocation;
        if (!Parse(*command, arguments, invocation)) {
            Print(console.out, command->usage);
            return exitSuccess;
        }
        return Run(*command, invocation, console);
    } catch (const UsageError& error) {
        Report(console, error.text);
        Print(console.err, command ? command->usage : toolTexts::usage);
        return exitUsage;
    }
}

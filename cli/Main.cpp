#include <cstdio>
#include <new>

#include "CommandLine.h"
#include "ErrorTexts.h"
#include "Platform.h"

int main(int argc, char** argv)
{
    UseBinaryMode(stdout);
    UseBinaryMode(stderr);
    Console console;
    console.showProgress = IsTerminal(stderr);
    console.outTerminal = TerminalReaderOf(stdout);
    console.errTerminal = TerminalReaderOf(stderr);
    try {
        return RunViv(std::vector<std::string>(argv + 1, argv + argc), console);
    } catch (const std::bad_alloc&) {
        Report(console, errorTexts::memoryCouldntBeAllocated);
        return exitFailure;
    }
}

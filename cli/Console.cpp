#include "Console.h"

#include <string>

#include "NameEscape.h"

void Report(Console& console, std::string_view message, std::string_view subject)
{
    EraseProgressLine(console);
    std::string line = "viv: ";
    if (std::size_t lineFeed = message.find('\n'); lineFeed != std::string_view::npos) {
        line.append(message.substr(0, lineFeed));
        line += ' ';
        line.append(message.substr(lineFeed + 1));
    } else {
        if (!subject.empty()) {
            line.append(subject);
            line += ": ";
        }
        line.append(message);
    }
    line += '\n';
    if (console.errTerminal)
        line = EscapeForTerminal(line, console.errTerminal);
    std::fwrite(line.data(), 1, line.size(), console.err);
}

void EraseProgressLine(Console& console)
{
    if (console.progressWidth == 0)
        return;
    std::string blank = "\r" + std::string(console.progressWidth, ' ') + "\r";
    std::fwrite(blank.data(), 1, blank.size(), console.err);
    std::fflush(console.err);
    console.progressWidth = 0;
}

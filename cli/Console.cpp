#include "Console.h"

#include <string>

void Report(const Console& console, std::string_view message, std::string_view subject)
{
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
    std::fwrite(line.data(), 1, line.size(), console.err);
}

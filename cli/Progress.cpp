#include "Progress.h"

#include <algorithm>

#include "Names.h"

namespace {
constexpr auto quietTime = std::chrono::seconds(1);
constexpr auto redrawTime = std::chrono::milliseconds(200);
}  // namespace

Progress::Progress(Console& console_, std::string verb_, std::uint64_t total_)
    : console(console_), verb(std::move(verb_)), total(total_), start(Clock::now())
{
}

Progress::~Progress()
{
    EraseProgressLine(console);
}

void Advance(Progress& progress, std::uint64_t amount)
{
    if (progress.console.showProgress)
        AdvanceAt(progress, amount, Progress::Clock::now());
}

void AdvanceAt(Progress& progress, std::uint64_t amount, Progress::Clock::time_point now)
{
    progress.done += amount;
    if (now - progress.start < quietTime || now - progress.lastShown < redrawTime)
        return;
    std::string line = ProgressLine(progress);
    std::size_t width = std::max(line.size(), progress.console.progressWidth);
    line.resize(width, ' ');  // covers a longer line drawn before
    line.insert(0, "\r");
    std::fwrite(line.data(), 1, line.size(), progress.console.err);
    std::fflush(progress.console.err);
    progress.console.progressWidth = width;
    progress.lastShown = now;
}

std::string ProgressLine(const Progress& progress)
{
    std::uint64_t done = progress.done < progress.total ? progress.done : progress.total;
    auto percent = static_cast<std::uint32_t>(progress.total == 0 ? 100 : done * 100 / progress.total);
    return "viv: " + progress.verb + " " + FormatDecimal(percent) + "%";
}

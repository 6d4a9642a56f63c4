#include "Progress.h"

#include "Names.h"

namespace {
constexpr auto quietTime = std::chrono::seconds(1);
constexpr auto redrawTime = std::chrono::milliseconds(200);
}  // namespace

Progress::Progress(const Console& console_, std::string verb_, std::uint64_t total_)
    : console(console_), verb(std::move(verb_)), total(total_), start(Clock::now())
{
}

Progress::~Progress()
{
    if (shown) {
        std::string blank = "\r" + std::string(ProgressLine(*this).size(), ' ') + "\r";
        std::fputs(blank.c_str(), console.err);
        std::fflush(console.err);
    }
}

void Advance(Progress& progress, std::uint64_t amount)
{
    if (progress.console.showProgress)
        AdvanceAt(progress, amount, Progress::Clock::now());
}

void AdvanceAt(Progress& progress, std::uint64_t amount, Progress::Clock::time_point now)
{
    progress.done += amount;
    if (now - progress.start < quietTime || (progress.shown && now - progress.lastShown < redrawTime))
        return;
    std::string line = "\r" + ProgressLine(progress);
    std::fputs(line.c_str(), progress.console.err);
    std::fflush(progress.console.err);
    progress.shown = true;
    progress.lastShown = now;
}

std::string ProgressLine(const Progress& progress)
{
    std::uint64_t done = progress.done < progress.total ? progress.done : progress.total;
    auto percent = static_cast<std::uint32_t>(progress.total == 0 ? 100 : done * 100 / progress.total);
    return "viv: " + progress.verb + " " + FormatDecimal(percent) + "%";
}

#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "Console.h"

// A progress line on a terminal's stderr, for work that outlasts about a second: quiet before,
// then redrawn in place a few times a second, and erased at the end and before a message.
struct Progress {
    using Clock = std::chrono::steady_clock;

    Progress(Console& console, std::string verb, std::uint64_t total);
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    ~Progress();

    Console& console;
    std::string verb;
    std::uint64_t total = 0;
    std::uint64_t done = 0;
    Clock::time_point start;
    Clock::time_point lastShown;
};

void Advance(Progress& progress, std::uint64_t amount);
// Advance at a given moment; Advance passes the clock's.
void AdvanceAt(Progress& progress, std::uint64_t amount, Progress::Clock::time_point now);

// "viv: extracting 42%" for the amount done so far.
std::string ProgressLine(const Progress& progress);

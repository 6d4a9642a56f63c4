#pragma once

#include <cstdint>

// Test programs that link FailingAllocator.cpp replace the global operator new: from
// FailAllocation(n) on, the nth allocation throws std::bad_alloc, and with andAfter every later
// one too. It also counts what is allocated and freed, so a test can see that an operation
// gave back everything it took.
void FailAllocation(int nth, bool andAfter = false);  // n = 0 switches it off
// The failure throws std::runtime_error instead: any other exception a command may meet.
void FailAllocationWithOtherError(bool other);
// Whether the armed failure struck since FailAllocation was called.
bool AllocationFailed();
// Allocations not freed yet, counted from the start of the program.
std::int64_t LiveAllocations();

// Between true and false, allocations neither count towards the failure nor fail: for the
// test's own work in the middle of an operation (answering a file dialog, say).
void PauseAllocationFailure(bool paused);

// Runs operation with the nth allocation failing, for n = 1, 2, ... until it runs without
// meeting the failure; check is called after each run, with n and whether the failure struck.
// Returns the number of runs. Gives up (fails the test) after limit runs.
template <typename Operation, typename Check>
int ForEachFailingAllocation(Operation operation, Check check, int limit = 10000, bool andAfter = false)
{
    for (int nth = 1; nth <= limit; ++nth) {
        FailAllocation(nth, andAfter);
        operation();
        bool failed = AllocationFailed();
        FailAllocation(0);
        check(nth, failed);
        if (!failed)
            return nth;
    }
    return limit + 1;
}

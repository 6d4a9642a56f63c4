#include "FailingAllocator.h"

#include <atomic>
#include <cstdlib>
#include <new>
#include <stdexcept>

namespace {
std::atomic<int> allocationsUntilFailure{0};
std::atomic<bool> failAfter{false};
std::atomic<bool> struck{false};
std::atomic<bool> otherError{false};
std::atomic<int> pauses{0};
std::atomic<std::int64_t> live{0};

bool ThisAllocationFails()
{
    if (pauses.load() > 0 || allocationsUntilFailure.load() <= 0)
        return false;
    if (--allocationsUntilFailure > 0)
        return false;
    if (failAfter.load())
        allocationsUntilFailure = 1;
    struck = true;
    return true;
}
}  // namespace

void FailAllocation(int nth, bool andAfter)
{
    failAfter = andAfter;
    struck = false;
    allocationsUntilFailure = nth;
}

void FailAllocationWithOtherError(bool other)
{
    otherError = other;
}

bool AllocationFailed()
{
    return struck.load();
}

std::int64_t LiveAllocations()
{
    return live.load();
}

void PauseAllocationFailure(bool paused)
{
    pauses += paused ? 1 : -1;
}

// The standard library's nothrow forms call these; the array and sized forms are replaced too.
void* operator new(std::size_t size)
{
    if (ThisAllocationFails()) {
        if (otherError.load())
            throw std::runtime_error("injected");
        throw std::bad_alloc();
    }
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (!memory)
        throw std::bad_alloc();
    ++live;
    return memory;
}

void operator delete(void* memory) noexcept
{
    if (!memory)
        return;
    --live;
    std::free(memory);
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete[](void* memory) noexcept
{
    operator delete(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    operator delete(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    operator delete(memory);
}

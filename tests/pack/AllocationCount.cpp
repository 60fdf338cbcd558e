// The program's operator new and delete, on malloc and free, counting while asked to. In a file of its own so
// that no caller sees them inlined.
#include "tests/pack/AllocationCount.h"

#include <cstdlib>
#include <new>

namespace {

bool g_counting = false;
size_t g_allocatedBytes = 0;

void* CountedAllocation(size_t size)
{
    if (g_counting)
        g_allocatedBytes += size;
    return std::malloc(size > 0 ? size : 1);
}

} // namespace

void StartCountingAllocations()
{
    g_allocatedBytes = 0;
    g_counting = true;
}

size_t StopCountingAllocations()
{
    g_counting = false;
    return g_allocatedBytes;
}

void* operator new(size_t size)
{
    void* block = CountedAllocation(size);
    if (block == nullptr)
        std::abort(); // as the shipped program ends (the Windows side builds without exceptions)
    return block;
}
void* operator new[](size_t size)
{
    return operator new(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    return CountedAllocation(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
    return CountedAllocation(size);
}
void operator delete(void* block) noexcept
{
    std::free(block);
}
void operator delete[](void* block) noexcept
{
    std::free(block);
}
void operator delete(void* block, size_t) noexcept
{
    std::free(block);
}
void operator delete[](void* block, size_t) noexcept
{
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}

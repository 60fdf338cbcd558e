// Counts what this test program asks of the allocator, so that a test can tell that input was refused before
// anything was allocated for it. Every operator new and delete of the program is replaced (AllocationCount.cpp).
#pragma once

#include <cstddef>

void StartCountingAllocations();
// The bytes asked for since StartCountingAllocations.
size_t StopCountingAllocations();

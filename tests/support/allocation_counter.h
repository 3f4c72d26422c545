// Counts the calls of the global operator new in a test program: the
// program that links allocation_counter.cpp has its operator new and delete
// replaced by counting versions.
#pragma once

// How many allocations the program has made so far.
long CountAllocations();

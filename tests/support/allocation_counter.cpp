#include "allocation_counter.h"

#include <cstdlib>
#include <new>

static long AllocationCount = 0;

static void *CountedAllocate(std::size_t size) {
  ++AllocationCount;
  return std::malloc(size == 0 ? 1 : size);
}

long CountAllocations() { return AllocationCount; }

void *operator new(std::size_t size) {
  void *p = CountedAllocate(size);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}
void *operator new[](std::size_t size) {
  void *p = CountedAllocate(size);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}
void *operator new(std::size_t size, const std::nothrow_t &) noexcept { return CountedAllocate(size); }
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept { return CountedAllocate(size); }
void operator delete(void *p) noexcept { std::free(p); }
void operator delete[](void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
void operator delete[](void *p, std::size_t) noexcept { std::free(p); }
void operator delete(void *p, const std::nothrow_t &) noexcept { std::free(p); }
void operator delete[](void *p, const std::nothrow_t &) noexcept { std::free(p); }

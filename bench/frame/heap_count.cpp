// The replaced global operator new and delete, counting. In a file of their own so that the
// compiler never sees the replacements next to code that allocates.
#include "bench/frame/heap_count.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> news{0};
std::atomic<long long> deletes{0};

void Free(void* p) noexcept {
  if (p == nullptr)
    return;
  deletes.fetch_add(1, std::memory_order_relaxed);
  std::free(p);
}

}  // namespace

long long NewCount() {
  return news.load();
}

long long LiveNewBlocks() {
  return news.load() - deletes.load();
}

void* operator new(std::size_t size) {
  news.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size))
    return p;
  throw std::bad_alloc();
}

void* operator new[](std::size_t size) {
  return operator new(size);
}

void operator delete(void* p) noexcept {
  Free(p);
}

void operator delete[](void* p) noexcept {
  Free(p);
}

void operator delete(void* p, std::size_t) noexcept {
  Free(p);
}

void operator delete[](void* p, std::size_t) noexcept {
  Free(p);
}

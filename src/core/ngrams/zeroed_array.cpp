#include "ngrams/zeroed_array.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace lexvane::ngrams {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

void* AllocateZeroed(std::size_t bytes, bool& mapped) {
  mapped = bytes >= kHugePage;
  if (bytes == 0) return nullptr;
  if (mapped) {
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    ::madvise(p, bytes, MADV_HUGEPAGE);
    return p;
  }
  void* p = std::calloc(bytes, 1);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

void ReleaseZeroed(void* data, std::size_t bytes, bool mapped) {
  if (data == nullptr) return;
  if (mapped)
    ::munmap(data, bytes);
  else
    std::free(data);
}

}  // namespace lexvane::ngrams

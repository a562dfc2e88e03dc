#include "text/mapped_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstring>
#include <mutex>

namespace lexvane::text {

namespace {

// The mappings the SIGBUS handler knows. A slot is taken before its range is
// published and freed after the range is withdrawn, all with atomics, so
// that the handler (which may run on any thread at any time) only ever sees
// whole ranges of live mappings.
constexpr int kSlots = 256;

struct Slot {
  std::atomic<bool> taken{false};
  std::atomic<std::uintptr_t> begin{0};
  std::atomic<std::uintptr_t> end{0};  // 0: no range
  std::atomic<bool> damaged{false};
};

Slot gSlots[kSlots];
std::uintptr_t gPageSize = 4096;
struct sigaction gPrevious;
std::once_flag gInstalled;

void passOn(int signal, siginfo_t* info, void* context) {
  if ((gPrevious.sa_flags & SA_SIGINFO) != 0 && gPrevious.sa_sigaction != nullptr) {
    gPrevious.sa_sigaction(signal, info, context);
    return;
  }
  if (gPrevious.sa_handler != SIG_DFL && gPrevious.sa_handler != SIG_IGN &&
      gPrevious.sa_handler != nullptr) {
    gPrevious.sa_handler(signal);
    return;
  }
  // The default action (a fault cannot be ignored: it would come back at
  // once): raised again, it ends the process when this handler returns.
  struct sigaction fallback = {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(signal, &fallback, nullptr);
  raise(signal);
}

void onBusError(int signal, siginfo_t* info, void* context) {
  const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
  for (Slot& slot : gSlots) {
    const std::uintptr_t end = slot.end.load(std::memory_order_acquire);
    if (end == 0 || address >= end || address < slot.begin.load(std::memory_order_acquire))
      continue;
    void* page = reinterpret_cast<void*>(address & ~(gPageSize - 1));
    if (mmap(page, gPageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) ==
        MAP_FAILED)
      break;
    slot.damaged.store(true, std::memory_order_release);
    return;
  }
  passOn(signal, info, context);
}

void installHandler() {
  gPageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  struct sigaction action = {};
  action.sa_sigaction = onBusError;
  action.sa_flags = SA_SIGINFO | SA_RESTART | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  sigaction(SIGBUS, &action, &gPrevious);
}

int takeSlot() {
  for (int i = 0; i < kSlots; ++i) {
    bool free = false;
    if (gSlots[i].taken.compare_exchange_strong(free, true, std::memory_order_acq_rel)) return i;
  }
  return -1;
}

}  // namespace

std::optional<MappedFile> MappedFile::Map(int fd, std::int64_t size) {
  if (size <= 0) return std::nullopt;
  std::call_once(gInstalled, installHandler);
  const int slot = takeSlot();
  if (slot < 0) return std::nullopt;
  void* data = mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_PRIVATE, fd, 0);
  if (data == MAP_FAILED) {
    gSlots[slot].taken.store(false, std::memory_order_release);
    return std::nullopt;
  }
  madvise(data, static_cast<std::size_t>(size), MADV_SEQUENTIAL);
  Slot& s = gSlots[slot];
  s.damaged.store(false, std::memory_order_relaxed);
  s.begin.store(reinterpret_cast<std::uintptr_t>(data), std::memory_order_relaxed);
  s.end.store(reinterpret_cast<std::uintptr_t>(data) + static_cast<std::uintptr_t>(size),
              std::memory_order_release);
  return MappedFile(static_cast<const unsigned char*>(data), size, slot);
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(other.data_), size_(other.size_), slot_(other.slot_) {
  other.data_ = nullptr;
  other.slot_ = -1;
}

MappedFile::~MappedFile() {
  if (data_ == nullptr) return;
  Slot& s = gSlots[slot_];
  s.end.store(0, std::memory_order_release);
  s.begin.store(0, std::memory_order_relaxed);
  munmap(const_cast<unsigned char*>(data_), static_cast<std::size_t>(size_));
  s.taken.store(false, std::memory_order_release);
}

bool MappedFile::Damaged() const {
  return gSlots[slot_].damaged.load(std::memory_order_acquire);
}

void MappedFile::WillRead(std::int64_t from, std::int64_t until) const {
  from = std::max<std::int64_t>(from, 0);
  until = std::min(until, size_);
  if (until <= from) return;
  const auto page = static_cast<std::int64_t>(gPageSize);
  const std::int64_t start = from / page * page;
  madvise(const_cast<unsigned char*>(data_) + start, static_cast<std::size_t>(until - start),
          MADV_WILLNEED);
}

void MappedFile::Release(std::int64_t from, std::int64_t until) const {
  const auto page = static_cast<std::int64_t>(gPageSize);
  const std::int64_t start = (std::max<std::int64_t>(from, 0) + page - 1) / page * page;
  const std::int64_t end = std::min(until, size_) / page * page;
  if (end > start)
    madvise(const_cast<unsigned char*>(data_) + start, static_cast<std::size_t>(end - start),
            MADV_DONTNEED);
}

}  // namespace lexvane::text

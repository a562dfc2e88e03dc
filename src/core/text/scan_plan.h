// How every fast scan splits its work over threads: ScanPlan cuts the corpus
// files into units (byte ranges; the block scanner reads the words that
// start in one), and PlanRunner scans the units on worker threads and hands
// their results to the calling thread in corpus order, where the scan
// replays them (counts, indicator, cancel, a full table).
//
// Two ways to hand out the units: in turn (each free thread takes the next
// unit; the results of a few units ahead of the replay at most are held),
// or in shares (thread t scans the t-th stretch of about equal size of the
// corpus, for scans whose threads gather something large of their own,
// merged in corpus order at the end).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lexvane::text {

struct ScanUnit {
  std::size_t file = 0;
  std::int64_t from = 0;
  std::int64_t until = -1;  // -1: to the end of the file
  bool firstOfFile = true;
};

class ScanPlan {
 public:
  // Each file cut into units of about `unitBytes` (0: each file whole). A
  // file that is no regular file stays whole.
  static ScanPlan InUnits(const std::vector<std::string>& paths, std::int64_t unitBytes);
  // The corpus cut into `shares` stretches of about equal size (a file cut
  // where a stretch ends), each of its files' pieces one unit.
  static ScanPlan InShares(const std::vector<std::string>& paths, int shares);

  const std::vector<std::string>& Paths() const { return paths_; }
  std::int64_t TotalBytes() const { return total_; }
  const std::vector<ScanUnit>& Units() const { return units_; }
  // The units of file f: [FirstUnit(f), FirstUnit(f + 1)).
  std::size_t FirstUnit(std::size_t file) const { return firstUnit_[file]; }
  // In shares: their number, and the units of share t: [ShareStart(t),
  // ShareStart(t + 1)). 0 shares: the units go in turn.
  int Shares() const { return static_cast<int>(shareStart_.size()) - 1; }
  std::size_t ShareStart(int share) const { return shareStart_[static_cast<std::size_t>(share)]; }

 private:
  void measure(const std::vector<std::string>& paths);

  std::vector<std::string> paths_;
  std::vector<std::int64_t> sizes_;
  std::int64_t total_ = 0;
  std::vector<ScanUnit> units_;
  std::vector<std::size_t> firstUnit_;   // one per file and one behind
  std::vector<std::size_t> shareStart_;  // one per share and one behind; empty in turn
};

// The size of a regular file, 0 for anything else.
std::int64_t RegularFileSize(const std::string& path);

// Runs a plan's units on worker threads. A worker hands over one or more
// results per unit; the calling thread takes them in unit order.
template <class Result>
class PlanRunner {
 public:
  // Where a worker hands over the results of one unit. Put returns false
  // when the run is being abandoned or the replay wants no more of the
  // unit: the worker should stop scanning it.
  class Handover {
   public:
    bool Put(Result&& result, bool last) { return runner_.put(unit_, std::move(result), last); }
    // Whether the run is being abandoned: polled while scanning.
    bool Abandoned() const { return runner_.abandonedFlag(); }

   private:
    friend class PlanRunner;
    Handover(PlanRunner& runner, std::size_t unit) : runner_(runner), unit_(unit) {}
    PlanRunner& runner_;
    std::size_t unit_;
  };

  // `ahead`: in turn, how many units beyond the one the replay is at may
  // be scanned (0: no limit). `held`: how many results of one unit may wait
  // for the replay before its worker waits (0: no limit).
  PlanRunner(const ScanPlan& plan, std::size_t ahead, std::size_t held)
      : plan_(plan), slots_(plan.Units().size()), ahead_(ahead), held_(held) {}
  PlanRunner(const PlanRunner&) = delete;
  PlanRunner& operator=(const PlanRunner&) = delete;
  // Abandons the run and joins the workers.
  ~PlanRunner() { Abandon(); }

  // Starts `threads` workers (in shares: one per share). `makeWorker(t)`
  // gives thread t's worker, called as worker(unitIndex, handover) for each
  // unit it takes; what it throws is rethrown by Take at that unit.
  template <class MakeWorker>
  void Start(int threads, MakeWorker makeWorker) {
    if (plan_.Shares() > 0) threads = plan_.Shares();
    for (int t = 0; t < threads; ++t)
      workers_.emplace_back([this, t, worker = makeWorker(t)]() mutable { work(t, worker); });
  }

  // The next result of unit u into `result`; false when the unit has no
  // more. Waits for the workers, calling idle() about every 20 ms meanwhile
  // (when given).
  bool Take(std::size_t u, Result& result, const std::function<void()>& idle = {}) {
    std::unique_lock lock(mutex_);
    Slot& slot = slots_[u];
    for (;;) {
      if (!slot.results.empty()) break;
      if (slot.failure) std::rethrow_exception(slot.failure);
      if (slot.done) return false;
      if (idle) {
        changed_.wait_for(lock, std::chrono::milliseconds(20));
        lock.unlock();
        idle();
        lock.lock();
      } else {
        changed_.wait(lock);
      }
    }
    result = std::move(slot.results.front());
    slot.results.pop_front();
    changed_.notify_all();
    return true;
  }
  // The replay is through with unit u: its later results are refused.
  void Done(std::size_t u) {
    std::lock_guard lock(mutex_);
    slots_[u].results.clear();
    slots_[u].refused = true;
    if (u + 1 > replayed_) replayed_ = u + 1;
    changed_.notify_all();
  }
  // Stops the workers at their next handover (or poll) and joins them.
  void Abandon() {
    {
      std::lock_guard lock(mutex_);
      abandoned_ = true;
      changed_.notify_all();
    }
    workers_.clear();
  }

 private:
  struct Slot {
    std::deque<Result> results;
    bool done = false;
    bool refused = false;
    std::exception_ptr failure;
  };

  bool abandonedFlag() const {
    std::lock_guard lock(mutex_);
    return abandoned_;
  }
  bool put(std::size_t u, Result&& result, bool last) {
    std::unique_lock lock(mutex_);
    Slot& slot = slots_[u];
    changed_.wait(lock, [&] {
      return abandoned_ || slot.refused || held_ == 0 || slot.results.size() < held_;
    });
    if (abandoned_ || slot.refused) return false;
    slot.results.push_back(std::move(result));
    slot.done = last;
    changed_.notify_all();
    return true;
  }
  // The next unit of thread t, false when none is left.
  bool next(int t, std::size_t& u) {
    std::unique_lock lock(mutex_);
    if (plan_.Shares() > 0) {
      if (shareNext_.empty()) shareNext_.resize(static_cast<std::size_t>(plan_.Shares()));
      std::size_t& k = shareNext_[static_cast<std::size_t>(t)];
      u = plan_.ShareStart(t) + k;
      if (abandoned_ || u >= plan_.ShareStart(t + 1)) return false;
      ++k;
      return true;
    }
    changed_.wait(lock, [&] { return abandoned_ || ahead_ == 0 || next_ < replayed_ + ahead_; });
    if (abandoned_ || next_ >= slots_.size()) return false;
    u = next_++;
    return true;
  }
  template <class Worker>
  void work(int t, Worker& worker) {
    std::size_t u;
    while (next(t, u)) {
      Handover handover(*this, u);
      try {
        worker(u, handover);
      } catch (...) {
        std::lock_guard lock(mutex_);
        slots_[u].failure = std::current_exception();
        changed_.notify_all();
        continue;
      }
      std::lock_guard lock(mutex_);
      slots_[u].done = true;
      changed_.notify_all();
    }
  }

  const ScanPlan& plan_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Slot> slots_;
  std::size_t ahead_;
  std::size_t held_;
  std::size_t next_ = 0;      // in turn: the next unit to hand out
  std::size_t replayed_ = 0;  // units the replay is through with
  std::vector<std::size_t> shareNext_;
  bool abandoned_ = false;
  std::vector<std::jthread> workers_;  // last: joined first when the runner goes
};

}  // namespace lexvane::text

// The fast scan works on units: a simple query cuts each file into units of
// about 8 MB, cut where a word starts (a word's sentence-end flags depend only
// on the bytes from its start to the next word's start), and scans them on
// several threads; an advanced query needs each sentence whole, so one thread
// scans a file from its start and hands over its results in units as it
// goes. Each unit records its word count, which of its words end a sentence
// (one bit per word) and its hits with their word number; the calling thread
// then replays the units in corpus order, word number by word number, with
// the indicator updates, the full-table stop and the cancel test of the
// reference scan.
#include "concordance/fast_scan.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <limits>
#include <mutex>
#include <thread>

#include "concordance/unit_scanner.h"
#include "text/error.h"
#include "text/open_file.h"
#include "text/read_file.h"

namespace lexvane::concordance {

namespace {

constexpr int kMostThreads = 4;

struct FilePlan {
  std::string path;
  std::int64_t size = 0;
  std::size_t firstItem = 0;
  std::size_t items = 1;
};

// One work item: a unit of a file (simple) or a whole file (advanced).
struct Item {
  std::int32_t file = 0;
  std::int64_t from = 0;
  std::int64_t until = 0;
  bool firstOfFile = true;
};

// The files of a scan and the work items they are cut into, in corpus
// order.
struct ScanPlan {
  std::vector<FilePlan> files;
  std::vector<Item> items;
};

// Cuts each file into units of about `unitBytes` (a simple query) or takes
// it whole (an advanced one).
ScanPlan planScan(const std::vector<std::string>& paths, bool advanced, std::int64_t unitBytes) {
  ScanPlan plan;
  plan.files.resize(paths.size());
  for (std::size_t d = 0; d < paths.size(); ++d) {
    FilePlan& file = plan.files[d];
    file.path = paths[d];
    struct stat info;
    file.size = ::stat(file.path.c_str(), &info) == 0 ? static_cast<std::int64_t>(info.st_size) : 0;
    file.firstItem = plan.items.size();
    const std::int64_t units =
        advanced ? 1 : std::max<std::int64_t>(1, (file.size + unitBytes - 1) / unitBytes);
    file.items = static_cast<std::size_t>(units);
    for (std::int64_t s = 0; s < units; ++s)
      plan.items.push_back(
          {static_cast<std::int32_t>(d), s * unitBytes,
           s + 1 == units ? std::numeric_limits<std::int64_t>::max() : (s + 1) * unitBytes,
           s == 0});
  }
  return plan;
}

// Hands the items to the workers, in corpus order.
class ItemQueue {
 public:
  explicit ItemQueue(std::size_t count) : count_(count) {}
  // The next item to scan; false when all are taken.
  bool Next(std::size_t& index) {
    std::lock_guard lock(mutex_);
    if (next_ >= count_) return false;
    index = next_++;
    return true;
  }

 private:
  std::mutex mutex_;
  std::size_t count_;
  std::size_t next_ = 0;
};

// The results of the items, filled by the workers and consumed in order by
// the replay. An item of an advanced query yields several units.
class ResultBoard {
 public:
  explicit ResultBoard(std::size_t items, std::size_t window) : slots_(items), window_(window) {}

  // Worker side. Waits while the item is too far ahead of the replay.
  bool WaitForTurn(std::size_t item) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return abandoned_ || item < consumedItems_ + window_; });
    return !abandoned_;
  }
  // Hands over one unit; for an advanced file waits while it has several
  // units not yet replayed. False when the scan was abandoned.
  bool Put(std::size_t item, UnitResult&& unit, bool last) {
    std::unique_lock lock(mutex_);
    Slot& slot = slots_[item];
    changed_.wait(lock, [&] { return abandoned_ || slot.dropped || slot.units.size() < 4; });
    if (abandoned_ || slot.dropped) return false;
    slots_[item].units.push_back(std::move(unit));
    slots_[item].done = last;
    changed_.notify_all();
    return true;
  }
  // Replay side: the next unit of the item; false when the item is done.
  bool Take(std::size_t item, UnitResult& unit) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !slots_[item].units.empty() || slots_[item].done; });
    if (slots_[item].units.empty()) return false;
    unit = std::move(slots_[item].units.front());
    slots_[item].units.pop_front();
    changed_.notify_all();
    return true;
  }
  // The replay is done with the item: later units of it are refused.
  void Consumed(std::size_t item) {
    std::lock_guard lock(mutex_);
    consumedItems_ = std::max(consumedItems_, item + 1);
    slots_[item].units.clear();
    slots_[item].dropped = true;
    changed_.notify_all();
  }
  void Abandon() {
    std::lock_guard lock(mutex_);
    abandoned_ = true;
    changed_.notify_all();
  }

 private:
  struct Slot {
    std::deque<UnitResult> units;
    bool done = false;
    bool dropped = false;
  };
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Slot> slots_;
  std::size_t window_;
  std::size_t consumedItems_ = 0;
  bool abandoned_ = false;
};

void scanItem(const Item& item, const FilePlan& file, const UnitScanParams& params,
              std::size_t index, ResultBoard& board) {
  int error = 0;
  // Hits are re-read for their sentences: a pipe cannot serve.
  const int fd = text::OpenCorpusFile(file.path, text::FileAccess::Seek, error);
  if (fd < 0) {
    UnitResult failed;
    failed.openError = error;
    board.Put(index, std::move(failed), true);
    return;
  }
  UnitScanner scanner(params, [&board, index](UnitResult&& unit, bool last) {
    return board.Put(index, std::move(unit), last);
  });
  scanner.Run(fd, item.from, item.until);
  ::close(fd);
}

// The loop of one worker thread: scans items until none is left or the
// scan is abandoned. An error of an item is handed over as its result.
void workItems(const ScanPlan& plan, const UnitScanParams& params, ItemQueue& queue,
               ResultBoard& board) {
  std::size_t index;
  while (queue.Next(index)) {
    if (!board.WaitForTurn(index)) return;
    const Item& item = plan.items[index];
    try {
      scanItem(item, plan.files[static_cast<std::size_t>(item.file)], params, index, board);
    } catch (const std::exception& e) {
      UnitResult failed;
      failed.failure = e.what();
      board.Put(index, std::move(failed), true);
    }
  }
}

// Replays the units in corpus order into the table, as the reference scan's
// word loop would have met them.
class Replay {
 public:
  Replay(ConcordanceTable& table, text::OperationHost& host) : table_(table), host_(host) {}

  bool Stopped() const {
    return table_.Keywords().GetCount() >= table_.MaxListSize || host_.search.Cancelled();
  }
  void StartFile() { fileSentences_ = 0; }
  // False when the scan stopped inside the unit.
  bool Unit(const UnitResult& unit, std::int32_t d) {
    std::uint64_t w = 0;
    std::size_t nextHit = 0;
    const std::int64_t unitSentenceBase = fileSentences_;
    // A cut word counts once the replay has passed it, as the reference
    // scan's word loop would have read it.
    auto noteCut = [&] {
      if (unit.firstCutWord == 0 || unit.firstCutWord > w) return;
      const std::string& path = table_.CorpusFiles[static_cast<std::size_t>(d)];
      if (table_.CutWordFiles.empty() || table_.CutWordFiles.back() != path)
        table_.CutWordFiles.push_back(path);
    };
    while (w < unit.words) {
      if (Stopped()) {
        noteCut();
        stoppedInside_ = true;
        return false;
      }
      const std::uint64_t toUpdate = 1000 - static_cast<std::uint64_t>(table_.TotalWords % 1000);
      std::uint64_t target = std::min<std::uint64_t>(w + toUpdate, unit.words);
      if (nextHit < unit.hits.size()) target = std::min(target, unit.hits[nextHit].word);
      const std::int64_t ends = unit.CountEnds(w, target);
      table_.TotalWords += static_cast<std::int64_t>(target - w);
      w = target;
      if (nextHit < unit.hits.size() && unit.hits[nextHit].word == w) {
        const UnitHit& hit = unit.hits[nextHit++];
        table_.Keywords().AddObject(
            kKeywordPlaceholder, new TOneWordInfo(d, unitSentenceBase + hit.sentence, hit.offset));
      }
      table_.TotalSentences += ends;
      fileSentences_ += ends;
      if (table_.TotalWords % 1000 == 0) ShowCounts();
    }
    noteCut();
    return true;
  }
  void ShowCounts() {
    host_.search.SetCounts(table_.TotalWords, table_.TotalSentences, table_.Keywords().GetCount());
  }
  // Cancel or a full table stopped the replay before the end of a unit.
  bool StoppedInside() const { return stoppedInside_; }

 private:
  ConcordanceTable& table_;
  text::OperationHost& host_;
  std::int64_t fileSentences_ = 0;
  bool stoppedInside_ = false;
};

// Replays the units of file d. Returns the message that ends the scan (a
// read error or an unexpected error of a worker), empty when none did.
std::string replayFile(const ScanPlan& plan, std::size_t d, ResultBoard& board, Replay& replay,
                       text::OperationHost& host) {
  const FilePlan& file = plan.files[d];
  std::string failure;
  bool go = true;
  for (std::size_t i = file.firstItem; i < file.firstItem + file.items; ++i) {
    UnitResult unit;
    while (go && board.Take(i, unit)) {
      if (unit.openError != 0) {
        if (plan.items[i].firstOfFile)
          host.ui.Ask("Error", text::OpenErrorMessage(file.path, unit.openError), text::Buttons::Ok,
                      text::Icon::Error);
        go = false;
      } else if (unit.readError != 0 || !unit.failure.empty()) {
        failure = !unit.failure.empty() ? unit.failure
                                        : text::FileErrorMessage(file.path, unit.readError);
        go = false;
      } else {
        go = replay.Unit(unit, static_cast<std::int32_t>(d));
      }
    }
    board.Consumed(i);
  }
  return failure;
}

}  // namespace

// Tagged text is matched after the tag strip, which the first-character test
// does not see: the reference scan serves it.
bool FastScanApplies(const corpus::CorpusSettings& settings) {
  return !settings.TaggedText;
}

void FastScanCorpus(const search::SearchQuery& query, const corpus::CorpusSettings& settings,
                    const text::CharacterSets& sets, ConcordanceTable& table,
                    text::OperationHost& host, const BuildOptions& options) {
  const QueryMatcher matcher(query, sets.encoding);
  const UnitScanParams params(sets, settings.CRLFAsSeparator, settings.EnhSentDetect, query,
                              matcher, table.MaxListSize, options);
  const ScanPlan plan =
      planScan(table.CorpusFiles, query.Kind == search::QueryKind::Advanced, params.unitBytes);
  int threads =
      options.Threads > 0 ? options.Threads : static_cast<int>(std::thread::hardware_concurrency());
  threads = std::clamp(threads, 1, kMostThreads);
  ResultBoard board(plan.items.size(), static_cast<std::size_t>(2 * threads + 2));
  ItemQueue queue(plan.items.size());
  std::vector<std::jthread> workers;
  // However the scan ends (also by an exception, even while the workers are
  // being started), the board is abandoned first, so no worker waits on it,
  // and then the workers' destructors join them.
  struct AbandonOnExit {
    ResultBoard& board;
    ~AbandonOnExit() { board.Abandon(); }
  } abandon{board};
  for (int t = 0; t < threads; ++t)
    workers.emplace_back([&] { workItems(plan, params, queue, board); });

  Replay replay(table, host);
  table.FileWords.assign(plan.files.size(), 0);
  std::size_t d = 0;
  for (; d < plan.files.size() && !replay.Stopped(); ++d) {
    host.search.SetFile(std::filesystem::path(plan.files[d].path).filename().string());
    replay.StartFile();
    const std::int64_t before = table.TotalWords;
    const std::string failure = replayFile(plan, d, board, replay, host);
    if (!failure.empty()) throw text::Error(failure);
    table.FileWords[d] = table.TotalWords - before;
    host.search.SetFile("");
    replay.ShowCounts();
  }
  table.ScanReachedEnd = d == plan.files.size() && !replay.StoppedInside();
}

}  // namespace lexvane::concordance
